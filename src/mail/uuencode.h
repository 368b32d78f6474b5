#pragma once
// uuencode, the pre-MIME way of mailing a file: a "begin MODE NAME" line, data
// lines each opening with a length character, and an "end" line.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// True for "begin" SP three or four octal digits SP a file name; fileName gets the name.
bool parseUuencodeBegin(std::string_view line, std::string& fileName);

// True for the "end" line (trailing blanks allowed).
bool isUuencodeEnd(std::string_view line);

// True when every character lies in the uuencode alphabet (space to '`') and
// the length character does not promise more bytes than the line can carry
// (two characters of slack for mailers that strip trailing spaces).
bool isUuencodeDataLine(std::string_view line);

// Appends the bytes of one data line. The length character decides how many
// bytes the line carries; characters missing at the end of a short line count
// as zero bits, so a truncated line never reads past its end.
void decodeUuencodeLine(std::string_view line, std::string& out);

// Decodes the block held in a part's lines: lines before "begin" are skipped
// (all lines are data when there is no "begin"), decoding stops at "end".
// fileName gets the name from the "begin" line, if there is one.
std::string decodeUuencodeBlock(const std::vector<std::string>& lines, std::string& fileName);

} // namespace kestrin
