#pragma once
#include <cstdint>
#include <string_view>

namespace kestrin {

// An optional "+" or "-" followed by one or more decimal digits, nothing else.
bool isStrictDecimal(std::string_view text);

// A strict decimal within [minimum, maximum]; anything else throws
// EConvertError "'<text>' is not a valid integer value".
int64_t strictIntegerInRange(std::string_view text, int64_t minimum, int64_t maximum);

// A strict decimal within the signed 32-bit range.
int32_t strictInteger(std::string_view text);

} // namespace kestrin
