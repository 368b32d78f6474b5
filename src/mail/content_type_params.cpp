#include "mail/content_type_params.h"

#include "text/ascii_case.h"

namespace kestrin {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Reads a quoted string starting after the opening quote at pos; pos ends after the closing quote.
std::string readQuoted(std::string_view s, size_t& pos)
{
    std::string value;
    while (pos < s.size() && s[pos] != '"') {
        if (s[pos] == '\\' && pos + 1 < s.size())
            ++pos;
        value += s[pos++];
    }
    if (pos < s.size())
        ++pos;
    return value;
}

// Skips to just after the next ';' outside quotes.
void skipToNextParameter(std::string_view s, size_t& pos)
{
    bool quoted = false;
    for (; pos < s.size(); ++pos) {
        if (quoted && s[pos] == '\\') {
            ++pos;
        } else if (s[pos] == '"') {
            quoted = !quoted;
        } else if (!quoted && s[pos] == ';') {
            ++pos;
            return;
        }
    }
}

} // namespace

std::string contentTypeParameter(std::string_view headerValue, std::string_view name)
{
    size_t pos = 0;
    skipToNextParameter(headerValue, pos);
    while (pos < headerValue.size()) {
        const size_t eq = headerValue.find('=', pos);
        const size_t semi = headerValue.find(';', pos);
        if (eq == std::string_view::npos)
            return {};
        if (semi != std::string_view::npos && semi < eq) {
            pos = semi + 1;
            continue;
        }
        const std::string_view key = trim(headerValue.substr(pos, eq - pos));
        pos = eq + 1;
        while (pos < headerValue.size() && isBlank(headerValue[pos]))
            ++pos;
        if (equalsIgnoreCase(key, name)) {
            if (pos < headerValue.size() && headerValue[pos] == '"') {
                ++pos;
                return readQuoted(headerValue, pos);
            }
            const size_t end = headerValue.find_first_of("; \t", pos);
            return std::string(headerValue.substr(pos, end == std::string_view::npos ? end : end - pos));
        }
        skipToNextParameter(headerValue, pos);
    }
    return {};
}

std::string contentTypeBase(std::string_view headerValue)
{
    return std::string(trim(headerValue.substr(0, headerValue.find(';'))));
}

} // namespace kestrin
