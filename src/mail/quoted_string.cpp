#include "mail/quoted_string.h"

namespace kestrin {

std::string quotedString(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

} // namespace kestrin
