#include "engine/mask_match.h"

#include "text/ascii_case.h"

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

bool maskMatchIgnoreCase(std::string_view address, std::string_view pattern)
{
    const size_t star = pattern.find('*');
    if (star == std::string_view::npos)
        return equalsIgnoreCase(address, pattern);
    const std::string_view prefix = pattern.substr(0, star);
    const std::string_view suffix = pattern.substr(star + 1);
    return startsWithIgnoreCase(address, prefix) && address.size() >= suffix.size() &&
           equalsIgnoreCase(address.substr(address.size() - suffix.size()), suffix);
}

} // namespace kestrin
