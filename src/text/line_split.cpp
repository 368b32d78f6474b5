#include "text/line_split.h"

namespace kestrin {

std::vector<std::string_view> splitIntoLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t lf = text.find('\n');
        if (lf == std::string_view::npos) {
            lines.push_back(text);
            break;
        }
        const size_t length = lf > 0 && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(text.substr(0, length));
        text.remove_prefix(lf + 1);
    }
    return lines;
}

} // namespace kestrin
