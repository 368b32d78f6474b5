#include "engine/char_removal.h"

#include <array>

namespace kestrin {

// Removing each listed character in turn equals removing the set of them at once.
std::string removeChars(std::string_view text, std::string_view chars)
{
    std::array<bool, 256> listed{};
    for (const char c : chars)
        listed[static_cast<unsigned char>(c)] = true;
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (!listed[static_cast<unsigned char>(c)])
            result += c;
    }
    return result;
}

} // namespace kestrin
