#include "engine/mask_match.h"

namespace kestrin {

bool maskMatch(std::string_view address, std::string_view pattern)
{
    const size_t star = pattern.find('*');
    if (star == std::string_view::npos)
        return address == pattern;
    const std::string_view prefix = pattern.substr(0, star);
    const std::string_view suffix = pattern.substr(star + 1);
    return address.starts_with(prefix) && address.ends_with(suffix);
}

} // namespace kestrin
