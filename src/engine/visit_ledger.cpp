#include "engine/visit_ledger.h"

#include "storage/mail_report_entry.h"

#include <string>

namespace kestrin {
namespace {

// A connection's results stay in memory until it ends. 10000 messages or
// 32 MiB of report text (hostile headers make long entries) is far more than
// one visit of a real mailbox yields and still a small, fixed cost.
constexpr size_t kMaxHeldResults = 10000;
constexpr size_t kMaxHeldBytes = 32 * 1024 * 1024;

} // namespace

void VisitLedger::holdMessage(CycleResult result, std::string identity, bool deleteSent, bool deleted)
{
    heldBytes_ += result.reportText.size() + identity.size();
    held_.push_back(Held{std::move(result), std::move(identity), deleteSent, deleted});
}

void VisitLedger::hold(CycleResult result)
{
    holdMessage(std::move(result), {}, false, false);
}

bool VisitLedger::full() const
{
    return held_.size() >= kMaxHeldResults || heldBytes_ >= kMaxHeldBytes;
}

std::vector<CycleResult> VisitLedger::takeCarriedOut()
{
    std::vector<CycleResult> results;
    results.reserve(held_.size());
    for (Held& held : held_)
        results.push_back(std::move(held.result));
    held_.clear();
    heldBytes_ = 0;
    return results;
}

VisitLedger::Undone VisitLedger::takeUndone()
{
    Undone undone;
    for (Held& held : held_) {
        // Every rule hit of the visit stands for one of its deletions.
        held.result.changes.ruleStats.clear();
        if (held.deleteSent)
            undone.identities.push_back(held.identity);
        if (held.deleted) {
            ++undone.claimedDeletions;
            undone.results.push_back(withoutDeletion(held.result));
        } else {
            undone.results.push_back(std::move(held.result));
        }
    }
    held_.clear();
    heldBytes_ = 0;
    return undone;
}

CycleResult withoutDeletion(const CycleResult& result)
{
    CycleResult changed = result;
    changed.flags.clear(ResultFlag::Deleted).clear(ResultFlag::Bayes);
    std::optional<MailReportEntry> entry = parseMailReportEntry(result.reportText);
    if (!entry)
        return changed;
    std::erase(entry->actions, kMailDeletedLetter);
    entry->cause.assign(1, '-'); // not "= \"-\"": GCC 12 warns falsely (-Wrestrict)
    changed.reportText = formatMailReportEntry(*entry);
    return changed;
}

} // namespace kestrin
