#include "engine/message_classification.h"

#include "engine/mask_match.h"
#include "text/ascii_case.h"
#include "text/convert_error.h"
#include "text/cp1250.h"

namespace kestrin {
namespace {

// The first word of a header value: before any parameter or comment, trimmed.
std::string leadingToken(std::string_view value)
{
    const size_t end = value.find_first_of(";(");
    value = value.substr(0, end);
    const size_t first = value.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const size_t last = value.find_last_not_of(" \t");
    return lowerAscii(value.substr(first, last - first + 1));
}

CauseOutcome judgeRule(const RuleRecord& rule, bool isFriend, RuleFieldTexts& fields)
{
    if (isFriend && !rule.nofri)
        return CauseOutcome::FriendExempt;
    try {
        switch (evaluateRule(rule, fields)) {
        case RuleOutcome::Selected:
            return CauseOutcome::Selected;
        case RuleOutcome::NotSelected:
            return CauseOutcome::NotSelected;
        case RuleOutcome::UnknownField:
            return CauseOutcome::Fault;
        }
    } catch (const EConvertError&) {
        // A "rozmiar" value that is no number: passed over like an unknown field
        // rather than ending the whole cycle.
    }
    return CauseOutcome::Fault;
}

} // namespace

bool isFriendAddress(const std::vector<FriendRecord>& friends, std::string_view senderAddress)
{
    for (const FriendRecord& entry : friends) {
        if (maskMatchIgnoreCase(senderAddress, entry.mail))
            return true;
    }
    return false;
}

MessageClassification classifyMessage(const CycleSnapshot& snapshot, const BayesClassifier* bayes,
                                      const TIdMessage& message, int64_t messageSize, bool wholeMessage)
{
    MessageClassification result;
    result.isFriend = isFriendAddress(snapshot.friends, message.From.Address);
    const CycleSettings& settings = snapshot.settings;
    if (bayes && settings.bayesActive && !snapshot.bayesWords.empty() && !result.isFriend) {
        result.bayes = bayes->judge(bayesMessageText(message, wholeMessage), settings.bayesSafeMode);
        result.causes.push_back(CauseJudgement{
            kCauseBayes, result.bayes->spam ? CauseOutcome::Selected : CauseOutcome::NotSelected, kArchiveAndDelete});
    }
    RuleFieldTexts fields(message, messageSize, wholeMessage, settings.bodyCorrection);
    for (size_t i = 0; i < snapshot.rules.size(); ++i) {
        const RuleRecord& rule = snapshot.rules[i];
        result.causes.push_back(
            CauseJudgement{static_cast<int>(i), judgeRule(rule, result.isFriend, fields), rule.act});
    }
    return result;
}

bool mayAnswerAutomatically(const TIdMessage& message)
{
    const std::string autoSubmitted = leadingToken(message.headerValue("Auto-Submitted"));
    if (!autoSubmitted.empty() && autoSubmitted != "no")
        return false;
    const std::string precedence = leadingToken(message.headerValue("Precedence"));
    return precedence != "bulk" && precedence != "junk" && precedence != "list";
}

ActionMarkers plannedActions(const MessageClassification& classification, bool wholeMessage, bool smtpReady,
                             bool mayAnswer)
{
    const std::array<bool, 4> possible = {wholeMessage, wholeMessage && smtpReady, smtpReady && mayAnswer, true};
    ActionMarkers markers = {kNotDone, kNotDone, kNotDone, kNotDone};
    for (const CauseJudgement& judgement : classification.causes) {
        if (judgement.outcome != CauseOutcome::Selected)
            continue;
        for (size_t action = 0; action < markers.size(); ++action) {
            if (judgement.actions[action] && possible[action] && markers[action] == kNotDone)
                markers[action] = judgement.cause;
        }
    }
    return markers;
}

std::string deletingCauseText(int deleteMarker, const std::vector<RuleRecord>& rules)
{
    if (deleteMarker == kCauseUser)
        return winLiteral("(Użytkownik)");
    if (deleteMarker == kCauseBayes)
        return "(Filtr Bayesa)";
    if (deleteMarker >= 0 && static_cast<size_t>(deleteMarker) < rules.size())
        return rules[static_cast<size_t>(deleteMarker)].name;
    return "-";
}

} // namespace kestrin
