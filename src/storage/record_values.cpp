#include "storage/record_values.h"

#include "text/ascii_case.h"
#include "text/convert_error.h"
#include "text/strict_integer.h"

#include <algorithm>
#include <charconv>
#include <limits>

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

// An optional sign followed by one or more decimal digits.
bool isDecimalInteger(std::string_view text)
{
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    return !text.empty() && std::all_of(text.begin(), text.end(), isDigit);
}

bool isZero(std::string_view integer)
{
    return std::all_of(integer.begin(), integer.end(), [](char c) { return !isDigit(c) || c == '0'; });
}

// The same syntax as strictInteger, but up to the unsigned maximum: a stat
// counter above 2^31 - 1 that this program wrote must load again.
uint64_t parseUnsigned(std::string_view text, uint64_t maximum)
{
    if (!isDecimalInteger(text))
        notAnInteger(text);
    if (text.front() == '-') {
        if (!isZero(text))
            notAnInteger(text);
        return 0;
    }
    std::string_view digits = text.front() == '+' ? text.substr(1) : text;
    uint64_t value = 0;
    const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || stop != digits.data() + digits.size() || value > maximum)
        notAnInteger(text);
    return value;
}

} // namespace

std::string booleanText(bool value)
{
    return value ? "-1" : "0";
}

bool parseBooleanValue(std::string_view text)
{
    if (equalsIgnoreCase(text, "True"))
        return true;
    if (equalsIgnoreCase(text, "False"))
        return false;
    if (!isDecimalInteger(text))
        throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
    return !isZero(text);
}

uint8_t parseUnsigned8(std::string_view text)
{
    return static_cast<uint8_t>(parseUnsigned(text, std::numeric_limits<uint8_t>::max()));
}

uint32_t parseUnsigned32(std::string_view text)
{
    return static_cast<uint32_t>(parseUnsigned(text, std::numeric_limits<uint32_t>::max()));
}

int32_t parseSigned32(std::string_view text)
{
    return strictInteger(text);
}

} // namespace kestrin
