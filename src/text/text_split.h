#pragma once
// Report lines and similar-rule keys are stored as fields joined by a separator
// text; these two functions take them apart and put them back together.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Cuts text at the first maxCuts occurrences of separator, left to right; the
// rest after the last cut is the final part. An empty separator never occurs,
// so the result is then the text alone.
std::vector<std::string> splitText(std::string_view separator, std::string_view text, size_t maxCuts);

// The parts with the separator between neighbours, none after the last.
std::string joinText(std::string_view separator, const std::vector<std::string>& parts);

} // namespace kestrin
