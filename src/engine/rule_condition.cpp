#include "engine/rule_condition.h"

#include "engine/rule_vocabulary.h"
#include "engine/word_list_count.h"
#include "text/ascii_case.h"
#include "text/strict_integer.h"

#include <algorithm>
#include <cstring>

namespace kestrin {
namespace {

constexpr int kPositive = 0;
constexpr int kNegative = 1;

// An empty text never occurs, so "zawiera treść" with an empty value never selects.
// memmem rather than find: a thousand rules search every message body, and
// find's first-letter scan stops at every frequent letter.
bool occursIn(std::string_view haystack, std::string_view needle)
{
    return !needle.empty() && ::memmem(haystack.data(), haystack.size(), needle.data(), needle.size()) != nullptr;
}

bool startsWithValue(std::string_view text, std::string_view value)
{
    return !value.empty() && text.starts_with(value);
}

bool endsWithValue(std::string_view text, std::string_view value)
{
    return !value.empty() && text.ends_with(value);
}

bool conditionOnFoldedTexts(TextCondition condition, std::string_view field, std::string_view value)
{
    switch (condition) {
    case TextCondition::Contains:
        return occursIn(field, value);
    case TextCondition::NotContains:
        return !occursIn(field, value);
    case TextCondition::Equals:
        return field == value;
    case TextCondition::NotEquals:
        return field != value;
    case TextCondition::AnyWord:
        return wordListCount(field, value) != 0;
    case TextCondition::OnlyOneWord:
        return wordListCount(field, value) == 1;
    case TextCondition::AllWords:
        return wordListCount(field, value) == kAllWordsFound;
    case TextCondition::NoWord:
        return wordListCount(field, value) == 0;
    case TextCondition::StartsWith:
        return startsWithValue(field, value);
    case TextCondition::EndsWith:
        return endsWithValue(field, value);
    case TextCondition::NotStartsWith:
        return !startsWithValue(field, value);
    case TextCondition::NotEndsWith:
        return !endsWithValue(field, value);
    }
    return false;
}

} // namespace

bool textConditionHolds(int sub, std::string_view fieldText, std::string_view value)
{
    return foldedTextConditionHolds(sub, lowerAscii(fieldText), value);
}

bool foldedTextConditionHolds(int sub, std::string_view foldedFieldText, std::string_view value)
{
    if (sub < 0 || sub >= static_cast<int>(kConditionCodeCount))
        return false;
    return conditionOnFoldedTexts(static_cast<TextCondition>(sub), foldedFieldText, lowerAscii(value));
}

bool sizeConditionHolds(int sub, std::string_view value, int64_t messageSize)
{
    if (sub != kPositive)
        return false;
    // In 64 bits: a 32-bit product overflows from 2097152 KB up and would turn a
    // large limit into a negative one that every message exceeds.
    const int64_t limitBytes = static_cast<int64_t>(strictInteger(value)) * 1024;
    return limitBytes < messageSize;
}

std::string priorityDigit(std::string_view value)
{
    const size_t open = value.find('(');
    const size_t digitAt = open == std::string_view::npos ? 0 : open + 1;
    return std::string(value.substr(std::min(digitAt, value.size()), 1));
}

bool priorityConditionHolds(int sub, std::string_view headerValue, std::string_view value)
{
    const bool equal = headerValue == priorityDigit(value);
    if (sub == kPositive)
        return equal;
    if (sub == kNegative)
        return !equal;
    return false;
}

bool charsetConditionHolds(int sub, std::string_view charset, std::string_view value)
{
    const bool equal = equalsIgnoreCase(charset, value);
    if (sub == kPositive)
        return equal;
    if (sub == kNegative)
        return !equal;
    return false;
}

bool mimeVersionConditionHolds(int sub, std::string_view headerValue, std::string_view value)
{
    const bool occurs = occursIn(lowerAscii(headerValue), lowerAscii(value));
    if (sub == kPositive)
        return occurs;
    if (sub == kNegative)
        return !occurs;
    return false;
}

} // namespace kestrin
