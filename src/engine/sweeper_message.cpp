#include "engine/account_fields.h"
#include "engine/bayes_tokens.h"
#include "engine/cycle_texts.h"
#include "engine/message_identity.h"
#include "engine/message_text.h"
#include "engine/report_value.h"
#include "engine/sweeper_cycle.h"
#include "engine/tag_stripping.h"
#include "engine/top_words.h"
#include "mail/mail_errors.h"
#include "storage/mail_report_entry.h"
#include "storage/report_entry.h"
#include "text/date_text.h"

#include <tuple>

namespace kestrin {
namespace {

constexpr int kFetchAttempts = 3;

MessageValues neutralisedValues(const TIdMessage& message)
{
    return MessageValues{neutraliseReportValue(message.messageId), neutraliseReportValue(dateText(message.Date)),
                         neutraliseReportValue(message.From.Name), neutraliseReportValue(message.From.Address),
                         neutraliseReportValue(message.Subject)};
}

std::string actionLetters(const ActionMarkers& markers)
{
    static_assert(kMailActionLetters.size() == std::tuple_size_v<ActionMarkers>);
    std::string letters;
    for (size_t i = 0; i < markers.size(); ++i) {
        if (markers[i] != kNotDone)
            letters += kMailActionLetters[i];
    }
    return letters;
}

} // namespace

// An unknown size (-1) counts as small enough; an unreadable one, or one above
// what is ever fetched whole, as too large.
bool SweeperCycle::wholeFlag(const AccountRecord& account, int64_t messageSize) const
{
    if (!fitsWholeFetch(messageSize))
        return false;
    const std::optional<SizeLimit> limit = accountSizeLimit(account.size);
    return limit && limit->admits(messageSize);
}

// At most three attempts at LIST and the fetch. A broken connection is never
// used again: the retry opens a new one.
SweeperCycle::Fetch SweeperCycle::fetch(const AccountRecord& account, int number)
{
    Fetch plan;
    bool sizeFailed = false; // whether the last attempt ended at LIST
    for (int attempt = 1; attempt <= kFetchAttempts; ++attempt) {
        cancel_.throwIfCancelled();
        if (!session_->IsConnected() && !reopen(account))
            continue;
        try {
            sizeFailed = true;
            plan.size = session_->QueryMessageSize(number);
            sizeFailed = false;
            plan.whole = wholeFlag(account, plan.size);
            if (fetchOnce(number, plan)) {
                plan.result = FetchResult::Fetched;
                return plan;
            }
        } catch (const EIdEmailParseError& failure) {
            reportUnreadable(account, number, failure);
            plan.result = FetchResult::Unreadable;
            return plan;
        } catch (const EIdUnknownMessagePartType&) {
            return judgeByHeader(account, number, plan);
        } catch (const std::exception& failure) {
            cancel_.throwIfCancelled();
            lastFailure_ = failure.what();
        }
    }
    plan.result = sizeFailed ? FetchResult::SizeFailed : FetchResult::Failed;
    return plan;
}

// A body whose parts cannot be told apart must not carry the mail past every
// rule: the answer was read to its end, so the header is fetched and judged,
// as a message above the size limit is.
SweeperCycle::Fetch SweeperCycle::judgeByHeader(const AccountRecord& account, int number, Fetch plan)
{
    plan.whole = false;
    try {
        fetchOnce(number, plan);
        plan.result = FetchResult::Fetched;
    } catch (const std::exception& failure) {
        cancel_.throwIfCancelled();
        reportUnreadable(account, number, failure);
        plan.result = FetchResult::Unreadable;
    }
    return plan;
}

// False when the server refused RETR; the connection stays in step.
bool SweeperCycle::fetchOnce(int number, const Fetch& plan)
{
    if (!plan.whole)
        return session_->FetchHeader(number, message_);
    if (!session_->FetchMessage(number, message_, plan.size)) {
        lastFailure_ = session_->LastReply().textAsMessage();
        return false;
    }
    message_.saveToFile(messageFile_);
    return true;
}

// The message was read to its end but cannot be parsed; the next one is read.
void SweeperCycle::reportUnreadable(const AccountRecord& account, int number, const std::exception& failure)
{
    cancel_.throwIfCancelled();
    failureSteps(unreadableMessageReport(account.name, account.pop3, number, failure.what()),
                 unreadableMessageStatus(account.name, account.pop3, number));
}

void SweeperCycle::handleMessage(const AccountRecord& account, int number, int64_t messageSize, bool whole)
{
    markers_ = {kNotDone, kNotDone, kNotDone, kNotDone};
    flags_ = {ResultFlag::Checked};
    deleteSent_ = false;
    const MessageValues values = neutralisedValues(message_);
    identity_ =
        messageIdentity(values.messageId, values.dateText, values.senderName, values.senderAddress, values.subject);
    if (context_.markedMemory.find(identity_)) {
        actionStep(kArchiveAndDelete, kCauseUser, number, whole);
    } else {
        if (context_.checkedMemory.find(identity_))
            return;
        context_.checkedMemory.insert(identity_, checkedGeneration_);
        classify(number, messageSize, whole);
    }
    std::string reportText;
    std::string bayesWords;
    if (!account.nrep) {
        reportText = mailEntry(account, values, messageSize, whole);
        bayesWords = bayesWordList(bayesMessageText(message_, whole));
    }
    countNewMail();
    messageResultStep(reportText, !account.nrep, std::move(bayesWords));
}

void SweeperCycle::classify(int number, int64_t messageSize, bool whole)
{
    const MessageClassification classification =
        classifyMessage(snapshot_, bayes_ ? &*bayes_ : nullptr, message_, messageSize, whole);
    for (const CauseJudgement& judgement : classification.causes) {
        if (judgement.outcome == CauseOutcome::Fault) {
            flags_ = {ResultFlag::Error};
            failureSteps(ruleAnalysisFaultText(), ruleAnalysisFaultText());
        } else if (judgement.outcome == CauseOutcome::Selected) {
            actionStep(judgement.actions, judgement.cause, number, whole);
        }
    }
}

std::string SweeperCycle::mailEntry(const AccountRecord& account, const MessageValues& values, int64_t messageSize,
                                    bool whole) const
{
    const std::string topText = whole ? topWords(stripTags(messageText(message_, " "))) : std::string();
    MailReportEntry entry;
    entry.messageId = values.messageId;
    entry.date = values.dateText;
    entry.actions = actionLetters(markers_);
    entry.cause = neutraliseReportValue(deletingCauseText(markers_[kActionDelete], snapshot_.rules));
    entry.account = neutraliseReportValue(account.name);
    entry.senderName = values.senderName;
    entry.senderAddress = values.senderAddress;
    entry.subject = values.subject;
    entry.size = mailSizeText(messageSize);
    entry.topWords = neutraliseReportValue(topText);
    return formatMailReportEntry(entry);
}

// Every message left on the server counts, in every account, even without a report entry.
void SweeperCycle::countNewMail()
{
    if (markers_[kActionDelete] != kNotDone)
        return;
    ++newMailCount_;
    if (newMailCount_ == 1) {
        senderText_ = message_.From.text();
        subjectText_ = message_.Subject;
    } else {
        senderText_ = newMailSendersText(newMailCount_);
        subjectText_ = newMailSubjectsText();
    }
}

} // namespace kestrin
