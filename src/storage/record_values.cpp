#include "storage/record_values.h"

#include "text/ascii_case.h"
#include "text/convert_error.h"
#include "text/strict_integer.h"

#include <algorithm>
#include <limits>

namespace kestrin {
namespace {

bool isZero(std::string_view integer)
{
    return std::all_of(integer.begin(), integer.end(), [](char c) { return c < '1' || c > '9'; });
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
    if (!isStrictDecimal(text))
        throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
    return !isZero(text);
}

uint8_t parseUnsigned8(std::string_view text)
{
    return static_cast<uint8_t>(strictIntegerInRange(text, 0, std::numeric_limits<uint8_t>::max()));
}

uint32_t parseUnsigned32(std::string_view text)
{
    return static_cast<uint32_t>(strictIntegerInRange(text, 0, std::numeric_limits<uint32_t>::max()));
}

int32_t parseSigned32(std::string_view text)
{
    return strictInteger(text);
}

} // namespace kestrin
