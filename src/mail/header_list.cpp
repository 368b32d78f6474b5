#include "mail/header_list.h"

#include "text/ascii_case.h"

namespace kestrin {
namespace {

// Header values are trimmed the way the Windows program trimmed them: every
// byte up to and including the space counts as blank.
bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && isBlankOrControl(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlankOrControl(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isContinuation(const std::string& line)
{
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

bool hasName(std::string_view line, std::string_view name)
{
    const size_t colon = line.find(':');
    return colon != std::string_view::npos && equalsIgnoreCase(line.substr(0, colon), name);
}

} // namespace

std::string TIdHeaderList::value(std::string_view name) const
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!hasName(lines[i], name))
            continue;
        const std::string_view first(lines[i]);
        std::string result(trimmed(first.substr(first.find(':') + 1)));
        // Unfolding: trimmed value, one space, trimmed continuation (RFC 2822 folding).
        for (size_t next = i + 1; next < lines.size() && isContinuation(lines[next]); ++next) {
            while (!result.empty() && isBlankOrControl(result.back()))
                result.pop_back();
            result += ' ';
            result += trimmed(lines[next]);
        }
        return std::string(trimmed(result));
    }
    return {};
}

} // namespace kestrin
