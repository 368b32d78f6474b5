#include "engine/width_fit.h"

namespace kestrin {

// Cutting one character at a time from the end would measure a long subject
// thousands of times per paint; since a prefix never gets narrower as it grows,
// a binary search finds the same longest fitting prefix.
std::string fitWidth(std::string_view text, std::string_view suffix, int maxWidth, const TextMeasure& measure)
{
    if (measure(text) <= maxWidth)
        return std::string(text);
    const int suffixWidth = measure(suffix);
    const auto fits = [&](size_t length) { return measure(text.substr(0, length)) + suffixWidth <= maxWidth; };
    // Invariant: fits(low) or low == 0; every length above high (up to size - 1) does not fit.
    size_t low = 0;
    size_t high = text.empty() ? 0 : text.size() - 1;
    while (low < high) {
        const size_t middle = low + (high - low + 1) / 2;
        if (fits(middle))
            low = middle;
        else
            high = middle - 1;
    }
    std::string result(text.substr(0, low));
    result += suffix;
    return result;
}

} // namespace kestrin
