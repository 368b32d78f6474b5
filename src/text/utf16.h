#pragma once
// UTF-16 text (some Windows tools save "Unicode" files) turned into UTF-8.
#include <string>
#include <string_view>

namespace kestrin {

// The bytes as UTF-16 of the given byte order. A lone surrogate or a final odd
// byte becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool littleEndian);

} // namespace kestrin
