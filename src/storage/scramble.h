#pragma once
// The reversible byte transformation that keeps record database files (and the
// POP3 passwords in them) from being readable in a text editor. It takes no key:
// its only parameter comes from the buffer length.
#include <string>
#include <string_view>

namespace kestrin {

// mode "code2" scrambles, "decode2" unscrambles (exact comparison); any other
// mode leaves the buffer unchanged. "decode2" undoes "code2" for the same length.
void scramble(std::string_view mode, std::string& buffer);

} // namespace kestrin
