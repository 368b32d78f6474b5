#include "text/text_split.h"

namespace kestrin {

std::vector<std::string> splitText(std::string_view separator, std::string_view text, size_t maxCuts)
{
    std::vector<std::string> parts;
    std::string_view rest = text;
    if (!separator.empty()) {
        size_t at = rest.find(separator);
        while (at != std::string_view::npos && parts.size() < maxCuts) {
            parts.emplace_back(rest.substr(0, at));
            rest.remove_prefix(at + separator.size());
            at = rest.find(separator);
        }
    }
    parts.emplace_back(rest);
    return parts;
}

std::string joinText(std::string_view separator, const std::vector<std::string>& parts)
{
    std::string joined;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            joined += separator;
        joined += parts[i];
    }
    return joined;
}

} // namespace kestrin
