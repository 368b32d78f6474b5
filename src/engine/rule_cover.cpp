#include "engine/rule_cover.h"

#include "engine/rule_vocabulary.h"
#include "storage/records.h"
#include "text/ascii_case.h"
#include "text/convert_error.h"
#include "text/strict_integer.h"
#include "text/text_split.h"

#include <algorithm>
#include <string_view>

namespace kestrin {
namespace {

using Code = TextCondition;

// At most 256 parts, as the word-list conditions cut their values.
constexpr size_t kMaxWordCuts = 255;

// An empty text never occurs, as in rule evaluation.
bool contains(std::string_view part, std::string_view text)
{
    return !part.empty() && text.find(part) != std::string_view::npos;
}

bool startsWith(std::string_view part, std::string_view text)
{
    return !part.empty() && text.find(part) == 0;
}

// Judged by the first occurrence, so a text holding the part twice does not end with it.
bool endsWith(std::string_view part, std::string_view text)
{
    return !part.empty() && part.size() <= text.size() && text.find(part) == text.size() - part.size();
}

// A value without words holds for any part.
bool everyWordContains(std::string_view part, const std::vector<std::string>& words)
{
    return std::all_of(words.begin(), words.end(), [&](const std::string& w) { return contains(part, w); });
}

bool isAnyOf(uint8_t sub, std::initializer_list<Code> codes)
{
    return std::find(codes.begin(), codes.end(), static_cast<Code>(sub)) != codes.end();
}

// What a value covering through "zawiera treść" (or one word of "zawiera
// jakiekolwiek ze słów") makes pointless.
bool containedValueCovers(std::string_view part, const CoverOperand& covered)
{
    if (isAnyOf(covered.sub, {Code::Contains, Code::Equals, Code::StartsWith, Code::EndsWith}))
        return contains(part, covered.value);
    return covered.sub == static_cast<uint8_t>(Code::AnyWord) && everyWordContains(part, covered.words);
}

bool anyWordCovers(const CoverOperand& covering, const CoverOperand& covered)
{
    return std::any_of(covering.words.begin(), covering.words.end(),
                       [&](const std::string& w) { return containedValueCovers(w, covered); });
}

// A negative condition covers only the same condition with a value inside its
// own: a text without ab cannot hold abc, so "nie zawiera treści" abc selects
// all that "nie zawiera treści" ab does. Judged the way the positive conditions
// are, ab would cover xab, yet a text holding ab but not xab is selected by xab alone.
bool negativeCovers(const CoverOperand& covering, const CoverOperand& covered)
{
    if (covering.sub != covered.sub)
        return false;
    switch (static_cast<Code>(covering.sub)) {
    case Code::NotContains:
        return contains(covered.value, covering.value);
    case Code::NotStartsWith:
        return startsWith(covered.value, covering.value);
    case Code::NotEndsWith:
        return endsWith(covered.value, covering.value);
    default:
        return false;
    }
}

bool textRuleCovers(const CoverOperand& covering, const CoverOperand& covered)
{
    const std::string_view value = covering.value;
    switch (static_cast<Code>(covering.sub)) {
    case Code::Contains:
        return containedValueCovers(value, covered);
    case Code::AnyWord:
        return anyWordCovers(covering, covered);
    case Code::StartsWith:
        return isAnyOf(covered.sub, {Code::Equals, Code::StartsWith}) && startsWith(value, covered.value);
    case Code::EndsWith:
        return isAnyOf(covered.sub, {Code::Equals, Code::EndsWith}) && endsWith(value, covered.value);
    default:
        return negativeCovers(covering, covered);
    }
}

// "przekracza wartość (Kb)": a larger limit selects fewer messages. A value that
// is not a number takes part in no comparison.
bool sizeRuleCovers(const CoverOperand& covering, const CoverOperand& covered)
{
    if (covering.sub != 0 || covered.sub != 0 || !isStrictDecimal(covering.value) || !isStrictDecimal(covered.value))
        return false;
    try {
        return strictInteger(covered.value) >= strictInteger(covering.value);
    } catch (const EConvertError&) {
        return false;
    }
}

} // namespace

CoverOperand coverOperand(const RuleRecord& rule)
{
    CoverOperand operand{rule.typ, rule.sub, lowerAscii(rule.str), {}};
    for (std::string& part : splitText(" ", operand.value, kMaxWordCuts))
        if (!part.empty())
            operand.words.push_back(std::move(part));
    return operand;
}

bool ruleCovers(const CoverOperand& covering, const CoverOperand& covered)
{
    if (covering.typ != covered.typ)
        return false;
    if (isTextField(covering.typ))
        return textRuleCovers(covering, covered);
    return covering.typ == static_cast<uint8_t>(RuleField::Size) && sizeRuleCovers(covering, covered);
}

} // namespace kestrin
