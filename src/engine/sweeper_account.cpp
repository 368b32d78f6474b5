#include "engine/account_fields.h"
#include "engine/cycle_texts.h"
#include "engine/sweeper_cycle.h"

#include <algorithm>

namespace kestrin {
namespace {

constexpr int kConnectionAttempts = 3;

} // namespace

void SweeperCycle::checkAccount(size_t index)
{
    const AccountRecord& account = snapshot_.accounts[index];
    if (account.skip > 0) {
        pending_.skipCounters.push_back({account.key, static_cast<uint8_t>(account.skip - 1)});
        return;
    }
    closeSession();
    if (!configureSession(account)) {
        const std::string text = invalidAccountText(account.name);
        failureSteps(text, text);
        return;
    }
    if (!connect(account))
        return;
    visit_.emplace();
    visitAccount_ = index;
    advanceProgress();
    statusStep(checkingText(account.name, account.pop3));
    checkMessages(account);
    disconnect(account);
    if (index + 1 < snapshot_.accounts.size() && snapshot_.settings.accWaitSeconds > 0)
        pause(int64_t{snapshot_.settings.accWaitSeconds} * 1000);
}

bool SweeperCycle::configureSession(const AccountRecord& account)
{
    const std::optional<AccountConnection> connection = accountConnection(account);
    if (!connection)
        return false;
    session_->Host = account.pop3;
    session_->Port = connection->pop3Port;
    session_->Username = account.user;
    session_->Password = account.pass;
    session_->Security = connection->security;
    return true;
}

bool SweeperCycle::connect(const AccountRecord& account)
{
    std::string lastFailure;
    lastFailure_.clear();
    for (int attempt = 1; attempt <= kConnectionAttempts; ++attempt) {
        statusStep(connectingText(account.name, account.pop3, attempt));
        try {
            session_->Open();
            return true;
        } catch (const std::exception& failure) {
            cancel_.throwIfCancelled();
            lastFailure = failure.what();
        }
    }
    const auto skip = static_cast<uint8_t>(std::clamp(snapshot_.settings.accSkipCycles, 0, 255));
    pending_.skipCounters.push_back({account.key, skip});
    failureSteps(connectionFailedReport(account.name, account.pop3, lastFailure),
                 connectionFailedStatus(account.name, account.pop3));
    return false;
}

void SweeperCycle::checkMessages(const AccountRecord& account)
{
    int32_t count = 0;
    try {
        count = session_->QueryMessageCount();
    } catch (const std::exception& failure) {
        cancel_.throwIfCancelled();
        lastFailure_ = failure.what();
        const std::string text = messageCountFailedText(account.name, account.pop3);
        failureSteps(withReason(text, lastFailure_), text);
        return;
    }
    for (int number = 1; number <= count; ++number) {
        cancel_.throwIfCancelled();
        // The rest of the mailbox waits for the next cycle rather than for ever more held results.
        if (visit_ && visit_->full())
            return;
        const Fetch fetched = fetch(account, number);
        if (fetched.result == FetchResult::Unreadable)
            continue;
        if (fetched.result != FetchResult::Fetched) {
            const std::string text = fetched.result == FetchResult::SizeFailed
                                         ? messageSizeFailedText(account.name, account.pop3, number)
                                         : fetchFailedText(account.name, account.pop3);
            failureSteps(withReason(text, lastFailure_), text);
            return;
        }
        handleMessage(account, number, fetched.size, fetched.whole);
    }
}

void SweeperCycle::disconnect(const AccountRecord& account)
{
    statusStep(disconnectingText());
    endVisit(account, quit());
    statusStep(disconnectedText());
    advanceProgress();
}

// Nothing when the server accepted QUIT and so carried out the visit's
// deletions; otherwise why not.
std::optional<std::string> SweeperCycle::quit()
{
    cancel_.throwIfCancelled();
    if (!session_->IsConnected())
        return lastFailure_.empty() ? std::string("Not connected.") : lastFailure_;
    try {
        session_->Close();
    } catch (const std::exception& failure) {
        cancel_.throwIfCancelled();
        return std::string(failure.what());
    }
    cancel_.throwIfCancelled();
    return std::nullopt;
}

// A retry after a broken connection needs a new one; the server forgot what
// the old one marked for deletion.
bool SweeperCycle::reopen(const AccountRecord& account)
{
    endVisit(account, lastFailure_);
    try {
        session_->Open();
    } catch (const std::exception& failure) {
        cancel_.throwIfCancelled();
        lastFailure_ = failure.what();
        return false;
    }
    visit_.emplace();
    return true;
}

// Hands over what the connection's messages and failures left, each deletion
// only when the server carried it out. A message whose DELE came to nothing
// leaves the checked-message memory, so the next cycle judges it again.
void SweeperCycle::endVisit(const AccountRecord& account, const std::optional<std::string>& failure)
{
    if (!visit_)
        return;
    VisitLedger ledger = std::move(*visit_);
    visit_.reset();
    if (!failure) {
        for (const CycleResult& result : ledger.takeCarriedOut())
            handOver(result);
        return;
    }
    const VisitLedger::Undone undone = ledger.takeUndone();
    for (const std::string& identity : undone.identities)
        context_.checkedMemory.remove(identity);
    for (const CycleResult& result : undone.results)
        handOver(result);
    if (undone.claimedDeletions > 0)
        failureSteps(deletionsUndoneReport(account.name, account.pop3, undone.claimedDeletions, *failure),
                     deletionsUndoneStatus(account.name, account.pop3, undone.claimedDeletions));
}

} // namespace kestrin
