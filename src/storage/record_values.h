#pragma once
// Numbers and booleans as the record database files hold them: decimal text,
// "-1"/"0" for booleans. Reading throws EConvertError for text that does not convert.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrin {

std::string booleanText(bool value);

// Any decimal integer (non-zero = true), or "True"/"False" in any ASCII case.
bool parseBooleanValue(std::string_view text);

// Strict decimal within the field's range; a value that does not fit is a
// conversion error rather than a silently truncated number.
uint8_t parseUnsigned8(std::string_view text);
uint32_t parseUnsigned32(std::string_view text);
int32_t parseSigned32(std::string_view text);

} // namespace kestrin
