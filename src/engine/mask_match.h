#pragma once
// Friend entries are either a whole address or a pattern with one "*", such as
// "*@example.com"; the check cycle compares both sides folded.
#include <string_view>

namespace kestrin {

// Without "*" the address must equal the pattern. Otherwise the pattern is cut at
// its first "*" (later ones are ordinary characters) and the address must begin
// with the part before it and end with the part after it; the two may overlap.
bool maskMatch(std::string_view address, std::string_view pattern);
// maskMatch of both sides folded to ASCII lower case, without making folded
// copies: the check cycle asks it for every friend of every message.
bool maskMatchIgnoreCase(std::string_view address, std::string_view pattern);

} // namespace kestrin
