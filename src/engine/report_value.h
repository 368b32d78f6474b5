#pragma once
// Header values end up as fields of a report line: a CR or LF would split the
// line in the report file and a "|¦|" would shift the fields. The check cycle
// neutralises the five identity values before both the identity and the entry
// are made, so the report list recomputes the same identity from the fields.
#include <string>
#include <string_view>

namespace kestrin {

// CR and LF become blanks; a blank goes after every "|¦" that "|" follows or that
// ends the text, so no field separator can form inside or across the value.
std::string neutraliseReportValue(std::string_view value);

} // namespace kestrin
