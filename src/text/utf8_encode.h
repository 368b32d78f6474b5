#pragma once
// One code point written as UTF-8, for the converters that build UTF-8 text.
#include <string>

namespace kestrin {

void appendUtf8(std::string& out, char32_t codePoint);

} // namespace kestrin
