#include "engine/tag_stripping.h"

#include <algorithm>

namespace kestrin {

// The repeated-removal rule, replayed left to right: everything before the first
// "<" is final, so only the kept prefix and the untouched rest need tracking.
// Once no ">" follows the current "<", every pass removes the first remaining
// "<" as long as the kept prefix still holds a ">", and stops otherwise.
std::string stripTags(std::string_view text)
{
    std::string kept;
    kept.reserve(text.size());
    bool keptHasClose = false;
    size_t from = 0;
    while (from < text.size()) {
        const size_t open = text.find('<', from);
        const std::string_view plain = text.substr(from, open == std::string_view::npos ? text.npos : open - from);
        kept += plain;
        keptHasClose = keptHasClose || plain.find('>') != std::string_view::npos;
        if (open == std::string_view::npos)
            return kept;
        const size_t close = text.find('>', open + 1);
        if (close != std::string_view::npos) {
            from = close + 1;
            continue;
        }
        const std::string_view tail = text.substr(open);
        if (keptHasClose)
            std::copy_if(tail.begin(), tail.end(), std::back_inserter(kept), [](char c) { return c != '<'; });
        else
            kept += tail;
        return kept;
    }
    return kept;
}

} // namespace kestrin
