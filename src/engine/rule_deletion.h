#pragma once
// What the rule page asks before it deletes the selected rules.
#include <cstddef>
#include <string>

namespace kestrin {

// The confirmation for count rules (Windows-1250; its two lines end with CR LF).
std::string ruleDeletionQuestion(size_t count);

} // namespace kestrin
