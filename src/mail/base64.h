#pragma once
#include <string>
#include <string_view>

namespace kestrin {

// RFC 2045 body decoding: characters outside the alphabet (line ends, blanks)
// are skipped, decoding stops at the first '='.
std::string decodeBase64(std::string_view text);

// Encoded-word decoding: every character is taken as a group member (unknown
// ones as zero bits), four characters give three bytes until fewer than four
// remain; padding '=' ends the data.
std::string decodeBase64Groups(std::string_view text);

std::string encodeBase64(std::string_view bytes);

} // namespace kestrin
