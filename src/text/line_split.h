#pragma once
// Text files and texts in memory with LF or CR LF line ends, taken apart into
// their lines by one rule.
#include <string_view>
#include <vector>

namespace kestrin {

// The lines of text, without their line ends. Each LF ends a line, and one CR
// right before it belongs to that line end ("a\r\r\n" is the line "a\r"); a
// CR anywhere else is text, even at the very end. A final LF ends the last
// line and starts no empty one, while text after the last LF is a last line
// of its own: "a\nb\n" and "a\nb" both give "a", "b"; "" gives no line and
// "\n" one empty line. The views point into text.
std::vector<std::string_view> splitIntoLines(std::string_view text);

} // namespace kestrin
