// The changes the windows and kestrin-cli ask for: each returns what the caller
// shows, and each kind of change is announced once it is made.
#include "session/program_session.h"

#include "engine/account_save.h"
#include "engine/bayes_database.h"
#include "engine/bayes_mark.h"
#include "engine/friend_save.h"
#include "engine/message_identity.h"
#include "engine/record_erase.h"
#include "engine/record_limits.h"
#include "engine/rule_save.h"
#include "storage/config_messages.h"
#include "storage/mail_report_entry.h"
#include "storage/record_tables.h"
#include "storage/report_entry.h"
#include "text/cp1250.h"

namespace kestrin::session {
namespace {

StoredFile storedFileOf(RecordKind kind)
{
    switch (kind) {
    case RecordKind::Accounts:
        return StoredFile::Accounts;
    case RecordKind::Rules:
        return StoredFile::Rules;
    case RecordKind::Friends:
        return StoredFile::Friends;
    case RecordKind::BayesWords:
        break;
    }
    return StoredFile::BayesWords;
}

} // namespace

ChangeResult ProgramSession::clearReport()
{
    data_.report.clear();
    emit reportChanged();
    return {};
}

ChangeResult ProgramSession::resetCounters(CounterReset which)
{
    switch (which) {
    case CounterReset::Run:
        clearRunCounters(data_.counters);
        break;
    case CounterReset::Totals:
        clearTotals(data_.counters);
        break;
    case CounterReset::RunAndTotals:
        clearRunCountersAndTotals(data_.counters);
        break;
    }
    emit countersChanged();
    return {};
}

ChangeResult ProgramSession::clearCheckedMemory()
{
    checkedMemory_->clear();
    return {};
}

ChangeResult ProgramSession::markForDeletion(size_t line)
{
    if (line >= data_.report.size() || splitReportEntry(data_.report[line]).kind != kReportKindMail)
        return ChangeResult::refused({});
    std::string& entry = data_.report[line];
    // A damaged entry has no deletion mark to set: it counts as marked.
    std::optional<MailReportEntry> mail = parseMailReportEntry(splitReportEntry(entry).payload);
    if (!mail || !mail->deleteMark.is(DeleteMark::Unmarked) || mail->deleted())
        return ChangeResult::refused(winLiteral(
            "Nie można oznaczyć wybranej wiadomości do usunięcia gdyż została już ona oznaczona lub usunięta!"));
    markedMemory_->insert(
        messageIdentity(mail->messageId, mail->date, mail->senderName, mail->senderAddress, mail->subject));
    mail->deleteMark = DeleteMark::Marked;
    entry = buildReportEntry(kReportKindMail, formatMailReportEntry(*mail));
    emit reportChanged();
    return {};
}

ChangeResult ProgramSession::markBayes(size_t line, BayesList list)
{
    if (line >= data_.report.size())
        return ChangeResult::refused({});
    const std::optional<MailReportEntry> mail = parseMailReportEntry(splitReportEntry(data_.report[line]).payload);
    const std::string messageWords = mail ? bayesMessages_.words(*mail).value_or(std::string()) : std::string();
    switch (markBayesEntry(data_.report[line], list, data_.bayesWords, data_.counters.totals, services_.now(),
                           messageWords)) {
    case BayesMarkResult::AlreadyMarked:
        return ChangeResult::refused(winLiteral(kBayesMarkRefusal));
    case BayesMarkResult::NotMailEntry:
        return ChangeResult::refused({});
    case BayesMarkResult::Marked:
        break;
    }
    emit reportChanged();
    emit countersChanged();
    emit recordsChanged(RecordKind::BayesWords);
    return {};
}

ChangeResult ProgramSession::neutraliseBayesWord(size_t index)
{
    if (!kestrin::neutraliseBayesWord(data_.bayesWords, index))
        return ChangeResult::refused({});
    emit recordsChanged(RecordKind::BayesWords);
    return {};
}

ChangeResult ProgramSession::clearBayesDatabase()
{
    kestrin::clearBayesDatabase(data_.bayesWords, data_.counters.totals);
    emit countersChanged();
    return saveRecords(RecordKind::BayesWords, {});
}

template <typename Record>
ChangeResult ProgramSession::store(std::vector<Record>& records, int index, const Record& record, RecordKind kind)
{
    if (index < 0) {
        if (records.size() >= recordLimit(kind))
            return ChangeResult::refused(recordLimitText(kind));
        records.push_back(record);
        records.back().key = newRecordKey(); // a copy of a stored record must not share its key
    } else if (static_cast<size_t>(index) < records.size()) {
        Record& stored = records[static_cast<size_t>(index)];
        const RecordKey key = stored.key; // an edit is the same record to a running cycle
        stored = record;
        stored.key = key;
    } else {
        return ChangeResult::refused({});
    }
    return saveRecords(kind, {});
}

ChangeResult ProgramSession::storeAccount(int index, const AccountRecord& account)
{
    return store(data_.accounts, index, account, RecordKind::Accounts);
}

ChangeResult ProgramSession::storeRule(int index, const RuleRecord& rule)
{
    ChangeResult result = store(data_.rules, index, rule, RecordKind::Rules);
    if (result.done)
        clearCheckedMemory();
    return result;
}

ChangeResult ProgramSession::saveRule(int index, const RuleDraft& draft, const std::set<RuleSaveQuestion>& yes)
{
    const Settings& settings = data_.settings;
    const RuleSaveOutcome outcome =
        checkRuleSave(draft, data_.rules, index, {settings.smtpHost, settings.smtpPort, settings.smtpMail}, yes);
    switch (outcome.status) {
    case RuleSaveStatus::Refused:
        return ChangeResult::refused(outcome.text);
    case RuleSaveStatus::Asked:
        return ChangeResult::asked({outcome.question, outcome.text, outcome.caption});
    case RuleSaveStatus::Accepted:
        break;
    }
    return storeRule(index, outcome.record);
}

ChangeResult ProgramSession::saveAccount(int index, const AccountRecord& account)
{
    if (const std::optional<std::string> refusal = checkAccountSave(account, data_.accounts, index))
        return ChangeResult::refused(*refusal);
    return storeAccount(index, account);
}

ChangeResult ProgramSession::saveFriend(int index, const FriendRecord& friendRecord, bool addressAnswered)
{
    const FriendSaveOutcome outcome = checkFriendSave(friendRecord, data_.friends, index, addressAnswered);
    switch (outcome.status) {
    case FriendSaveStatus::Refused:
        return ChangeResult::refused(outcome.text);
    case FriendSaveStatus::Asked:
        return ChangeResult::asked({{}, outcome.text, friendSaveCaption()});
    case FriendSaveStatus::Accepted:
        break;
    }
    return storeFriend(index, friendRecord);
}

ChangeResult ProgramSession::storeFriend(int index, const FriendRecord& friendRecord)
{
    return store(data_.friends, index, friendRecord, RecordKind::Friends);
}

ChangeResult ProgramSession::deleteRecords(RecordKind kind, std::vector<size_t> indexes)
{
    eraseRecordsOfKind(data_, kind, std::move(indexes));
    return saveRecords(kind, {});
}

ChangeResult ProgramSession::deleteOverlappingRules(std::vector<OverlapLine>& lines)
{
    OverlapDeletion after = deleteCheckedOverlaps(std::move(data_.rules), std::move(lines));
    data_.rules = std::move(after.rules);
    lines = std::move(after.lines);
    return saveRecords(RecordKind::Rules, {});
}

// The changed file is written at once, unless its load did not complete (its
// unread part must not be replaced) or saving is off for a refused version.
ChangeResult ProgramSession::saveRecords(RecordKind kind, ChangeResult result)
{
    if (kind == RecordKind::Rules)
        ruleHits_ = computeRuleHitStatistics(data_.rules);
    emit recordsChanged(kind);
    if (!data_.saveAllEnabled || data_.loadIncomplete[static_cast<size_t>(storedFileOf(kind))])
        return result;
    try {
        saveRecordFile(programFolder_, data_, kind);
    } catch (const std::exception&) {
        result.saveError = configSaveErrorText();
    }
    return result;
}

} // namespace kestrin::session
