#pragma once
// Windows-1250 is the code page of every message and record text Kestrin keeps;
// conversion happens only at the edges (windows, JSON output, interface literals).
#include <string>
#include <string_view>

namespace kestrin {

// The Unicode code point of one Windows-1250 byte. The five bytes the code page
// leaves undefined map to the C1 code points of the same value, so every byte
// survives a round trip.
char32_t cp1250ToCodePoint(unsigned char byte);

// The Windows-1250 byte of a code point, or false when the code page has none.
bool codePointToCp1250(char32_t codePoint, unsigned char& byte);

std::string cp1250ToUtf8(std::string_view cp1250);

// Characters without a Windows-1250 byte, and malformed UTF-8, become '?'.
std::string utf8ToCp1250(std::string_view utf8);

// Turns a UTF-8 interface literal (a report text, a cause name) into the
// Windows-1250 data it stands for.
std::string winLiteral(std::string_view utf8);

} // namespace kestrin
