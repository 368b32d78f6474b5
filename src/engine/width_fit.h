#pragma once
// Long subjects and addresses are shortened to a pixel width, with a suffix such
// as "..." showing that something was cut. The caller supplies the font measure.
#include <functional>
#include <string>
#include <string_view>

namespace kestrin {

using TextMeasure = std::function<int(std::string_view)>;

// The text itself when it fits maxWidth; otherwise its longest proper prefix that
// fits together with the suffix (possibly empty), followed by the suffix. The
// measure must never give a longer prefix a smaller width, as no font does.
std::string fitWidth(std::string_view text, std::string_view suffix, int maxWidth, const TextMeasure& measure);

} // namespace kestrin
