#pragma once
// The writing side of uuencode, for the blocks of a plain (pre-MIME) message.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// "begin 644 NAME", data lines of up to 45 bytes, a "`" line and "end". Zero
// bits are written as '`' rather than space, so no line ends in blanks a mail
// server might strip. An empty name (the begin line needs one) becomes "attachment".
std::vector<std::string> uuencodeBlock(std::string_view bytes, std::string_view fileName);

} // namespace kestrin
