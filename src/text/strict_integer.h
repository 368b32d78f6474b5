#pragma once
#include <cstdint>
#include <string_view>

namespace kestrin {

// An optional "+" or "-" followed by decimal digits only, within the signed
// 32-bit range; anything else throws EConvertError "'<text>' is not a valid
// integer value".
int32_t strictInteger(std::string_view text);

} // namespace kestrin
