#include "text/strict_integer.h"

#include "text/convert_error.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

namespace kestrin {
namespace {

[[noreturn]] void notAnInteger(std::string_view text)
{
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool isStrictDecimal(std::string_view text)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

int64_t strictIntegerInRange(std::string_view text, int64_t minimum, int64_t maximum)
{
    if (!isStrictDecimal(text))
        notAnInteger(text);
    const bool negative = text.front() == '-';
    const std::string_view digits = (negative || text.front() == '+') ? text.substr(1) : text;
    uint64_t magnitude = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || stop != digits.data() + digits.size())
        notAnInteger(text);
    constexpr auto kLargest = static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
    if (magnitude > kLargest + (negative ? 1 : 0))
        notAnInteger(text);
    const int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
    if (value < minimum || value > maximum)
        notAnInteger(text);
    return value;
}

int32_t strictInteger(std::string_view text)
{
    return static_cast<int32_t>(
        strictIntegerInRange(text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

} // namespace kestrin
