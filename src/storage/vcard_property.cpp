// splitVCardLine of storage/vcard_property.h.
#include "storage/vcard_property.h"

#include "text/ascii_case.h"

namespace kestrin {
namespace {

bool isNameByte(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// The first `stop` byte outside double quotes (4.0 quotes parameter values
// that hold ':' or ';'), or npos.
size_t findUnquoted(std::string_view text, char stop, size_t from)
{
    bool quoted = false;
    for (size_t i = from; i < text.size(); ++i) {
        if (text[i] == '"')
            quoted = !quoted;
        else if (text[i] == stop && !quoted)
            return i;
    }
    return std::string_view::npos;
}

// Where the head ends. An unbalanced quote would otherwise hide the value.
size_t findValueColon(std::string_view line, size_t from)
{
    const size_t colon = findUnquoted(line, ':', from);
    return colon != std::string_view::npos ? colon : line.find(':', from);
}

bool isEncodingWord(std::string_view word)
{
    for (const std::string_view encoding : {"QUOTED-PRINTABLE", "BASE64", "B", "8BIT", "7BIT"})
        if (equalsIgnoreCase(word, encoding))
            return true;
    return false;
}

std::string_view unquote(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

void addValues(VCardLine& line, const std::string& name, std::string_view values, size_t maxParameters)
{
    size_t start = 0;
    while (start <= values.size() && line.parameters.size() < maxParameters) {
        size_t comma = findUnquoted(values, ',', start);
        if (comma == std::string_view::npos)
            comma = values.size();
        line.parameters.push_back({name, std::string(unquote(values.substr(start, comma - start)))});
        start = comma + 1;
    }
}

void addParameter(VCardLine& line, std::string_view text, size_t maxParameters)
{
    const size_t equals = text.find('=');
    if (equals != std::string_view::npos) {
        addValues(line, upperAscii(text.substr(0, equals)), text.substr(equals + 1), maxParameters);
        return;
    }
    if (!text.empty() && line.parameters.size() < maxParameters)
        line.parameters.push_back({isEncodingWord(text) ? "ENCODING" : "TYPE", std::string(text)});
}

// The parameters between the name and the colon; stops looking once the bound is reached.
void addParameters(VCardLine& line, std::string_view head, size_t maxParameters)
{
    size_t start = 0;
    while (start < head.size() && line.parameters.size() < maxParameters) {
        size_t semicolon = findUnquoted(head, ';', start);
        if (semicolon == std::string_view::npos)
            semicolon = head.size();
        addParameter(line, head.substr(start, semicolon - start), maxParameters);
        start = semicolon + 1;
    }
}

bool validName(std::string_view name)
{
    if (name.empty())
        return false;
    for (const char c : name)
        if (!isNameByte(c))
            return false;
    return true;
}

} // namespace

std::optional<VCardLine> splitVCardLine(std::string_view line, size_t maxParameters)
{
    const size_t nameEnd = line.find_first_of(";:");
    if (nameEnd == std::string_view::npos)
        return std::nullopt;
    std::string_view name = line.substr(0, nameEnd);
    if (const size_t dot = name.rfind('.'); dot != std::string_view::npos)
        name.remove_prefix(dot + 1);
    if (!validName(name))
        return std::nullopt;
    const size_t colon = line[nameEnd] == ':' ? nameEnd : findValueColon(line, nameEnd);
    if (colon == std::string_view::npos)
        return std::nullopt;
    VCardLine result;
    result.name = upperAscii(name);
    if (colon > nameEnd)
        addParameters(result, line.substr(nameEnd + 1, colon - nameEnd - 1), maxParameters);
    result.value = line.substr(colon + 1);
    return result;
}

} // namespace kestrin
