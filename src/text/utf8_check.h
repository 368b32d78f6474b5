#pragma once
// Whether bytes are well-formed UTF-8: text whose charset is unknown or
// mislabelled is taken as UTF-8 only when it is.
#include <string_view>

namespace kestrin {

// True for well-formed UTF-8 (no overlong forms, surrogates or code points past U+10FFFF).
bool isValidUtf8(std::string_view bytes);

} // namespace kestrin
