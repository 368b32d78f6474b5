#include "engine/rule_evaluation.h"

#include "engine/rule_condition.h"
#include "engine/rule_field.h"
#include "engine/rule_vocabulary.h"
#include "text/cp1250.h"

namespace kestrin {
namespace {

bool conditionHolds(const RuleRecord& rule, const std::string& fieldText, int64_t messageSize)
{
    if (isTextField(rule.typ))
        return foldedTextConditionHolds(rule.sub, fieldText, rule.str);
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
    RuleFieldTexts fields(message, messageSize, wholeMessage, correction);
    return evaluateRule(rule, fields);
}

RuleOutcome evaluateRule(const RuleRecord& rule, RuleFieldTexts& fields)
{
    if (rule.typ >= kRuleFieldCount)
        return RuleOutcome::UnknownField;
    const std::optional<std::string>& fieldText = fields.text(rule.typ);
    if (!fieldText)
        return RuleOutcome::NotSelected;
    return conditionHolds(rule, *fieldText, fields.messageSize()) ? RuleOutcome::Selected : RuleOutcome::NotSelected;
}

} // namespace kestrin
