#include "engine/word_list_count.h"

#include <algorithm>

namespace kestrin {

// Totals are kept wide: with 16-bit totals a value of 65536 empty words would
// wrap to 0 found of 0 and read as "every word found".
uint16_t wordListCount(std::string_view fieldText, std::string_view value)
{
    size_t total = 0;
    size_t found = 0;
    size_t from = 0;
    while (true) {
        const size_t blank = value.find(' ', from);
        const std::string_view word = value.substr(from, blank == std::string_view::npos ? value.npos : blank - from);
        ++total;
        if (!word.empty() && fieldText.find(word) != std::string_view::npos)
            ++found;
        if (blank == std::string_view::npos)
            break;
        from = blank + 1;
    }
    if (found == total)
        return kAllWordsFound;
    return static_cast<uint16_t>(std::min<size_t>(found, UINT16_MAX));
}

} // namespace kestrin
