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

int32_t strictInteger(std::string_view text)
{
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit))
        notAnInteger(text);
    int64_t magnitude = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    if (error != std::errc() || stop != digits.data() + digits.size())
        notAnInteger(text);
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        notAnInteger(text);
    return static_cast<int32_t>(value);
}

} // namespace kestrin
