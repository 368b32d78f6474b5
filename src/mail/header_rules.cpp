#include "mail/header_rules.h"

#include "text/ascii_case.h"

#include <algorithm>
#include <charconv>

namespace kestrin {
namespace {

constexpr int kDefaultPriorityWord = 3; // "normal" in X-Priority's 1..5 scale
constexpr int kHighestPriority = 0;
constexpr int kLowestPriority = 4;

std::string_view trimmedBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// A whole word as a decimal integer with an optional sign, else the default.
long long integerOrDefault(std::string_view word, long long fallback)
{
    if (!word.empty() && word.front() == '+')
        word.remove_prefix(1);
    long long value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || word.empty())
        return fallback;
    return value;
}

} // namespace

std::string charsetParameter(std::string_view contentType)
{
    const std::string upper = upperAscii(contentType);
    constexpr std::string_view kKey = "CHARSET=";
    const size_t key = upper.find(kKey);
    if (key == std::string::npos)
        return {};
    const std::string_view rest = std::string_view(upper).substr(key + kKey.size());
    if (!rest.empty() && rest.front() == '"') {
        const std::string_view inside = rest.substr(1);
        return std::string(inside.substr(0, inside.find('"')));
    }
    // Blanks before a ';' are not part of the name the rules compare.
    return std::string(trimmedBlanks(rest.substr(0, rest.find(';'))));
}

int priorityFromHeader(std::string_view value)
{
    const std::string lower = lowerAscii(value);
    if (lower.find("urgent") != std::string::npos)
        return 1;
    if (lower.find("non-priority") != std::string::npos)
        return 3;
    const std::string_view firstWord = std::string_view(lower).substr(0, lower.find(' '));
    // The model holds five levels; "X-Priority: 0" or "9" must not fall outside them.
    const long long level = integerOrDefault(firstWord, kDefaultPriorityWord) - 1;
    return static_cast<int>(std::clamp<long long>(level, kHighestPriority, kLowestPriority));
}

} // namespace kestrin
