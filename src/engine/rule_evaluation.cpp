#include "engine/rule_evaluation.h"

#include "engine/rule_condition.h"
#include "engine/rule_field.h"
#include "engine/rule_vocabulary.h"
#include "text/cp1250.h"

namespace kestrin {
namespace {

bool conditionHolds(const RuleRecord& rule, const std::string& fieldText, int64_t messageSize,
                    const BodyCorrection& correction)
{
    if (isTextField(rule.typ))
        return textConditionHolds(rule.sub, applyBodyCorrection(fieldText, correction), rule.str);
    switch (static_cast<RuleField>(rule.typ)) {
    case RuleField::Size:
        return sizeConditionHolds(rule.sub, rule.str, messageSize);
    case RuleField::Priority:
        return priorityConditionHolds(rule.sub, fieldText, rule.str);
    case RuleField::Charset:
        return charsetConditionHolds(rule.sub, fieldText, rule.str);
    case RuleField::MimeVersion:
        return mimeVersionConditionHolds(rule.sub, fieldText, rule.str);
    default:
        return false;
    }
}

} // namespace

const std::string& ruleAnalysisFaultText()
{
    static const std::string text = winLiteral("Wystąpił krytyczny wyjątek w analizie reguł!");
    return text;
}

RuleOutcome evaluateRule(const RuleRecord& rule, const TIdMessage& message, int64_t messageSize, bool wholeMessage,
                         const BodyCorrection& correction)
{
    if (rule.typ >= kRuleFieldCount)
        return RuleOutcome::UnknownField;
    const std::optional<std::string> fieldText = ruleFieldText(rule.typ, message, messageSize, wholeMessage);
    if (!fieldText)
        return RuleOutcome::NotSelected;
    return conditionHolds(rule, *fieldText, messageSize, correction) ? RuleOutcome::Selected : RuleOutcome::NotSelected;
}

} // namespace kestrin
