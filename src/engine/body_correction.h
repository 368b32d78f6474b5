#pragma once
// The body-correction settings: what is taken out of a text field before a rule
// tests it. The rule value itself is never corrected.
#include <string>
#include <string_view>

namespace kestrin {

struct BodyCorrection {
    bool delHtml = false;
    bool delChars = false;
    std::string delCharsList = "!#$%^&*()";
};

// Tag stripping first (when delHtml), then removal of delCharsList (when delChars).
std::string applyBodyCorrection(std::string_view text, const BodyCorrection& correction);

} // namespace kestrin
