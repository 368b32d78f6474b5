#pragma once
// Editing a list of raw header lines (folded continuation lines kept as
// separate lines) the way the header generator does.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Replaces the first line named name (ASCII case ignored) together with its
// continuation lines by "name: value", in place, or appends it when there is
// none; an empty value only removes that line.
void setHeader(std::vector<std::string>& lines, std::string_view name, const std::string& value);

// Removes every line named name with its continuation lines.
void removeHeaders(std::vector<std::string>& lines, std::string_view name);

// A header line cannot carry a line break: CR and LF become blanks.
std::string withoutLineBreaks(std::string_view text);

} // namespace kestrin
