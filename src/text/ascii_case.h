#pragma once
// Case folding in Kestrin touches only the ASCII letters A-Z: Polish letters and
// every other byte compare as they are.
#include <string>
#include <string_view>

namespace kestrin {

constexpr char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string lowerAscii(std::string_view text);
std::string upperAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);
bool startsWithIgnoreCase(std::string_view text, std::string_view prefix);
// Position of the first occurrence of needle in haystack ignoring ASCII case, or npos.
size_t findIgnoreCase(std::string_view haystack, std::string_view needle, size_t from = 0);

} // namespace kestrin
