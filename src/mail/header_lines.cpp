#include "mail/header_lines.h"

#include "text/ascii_case.h"

namespace kestrin {
namespace {

bool isContinuation(const std::string& line)
{
    return !line.empty() && (line.front() == ' ' || line.front() == '\t');
}

// The same name rule as the header lookup: the text before the first ':'.
bool hasName(std::string_view line, std::string_view name)
{
    const size_t colon = line.find(':');
    return colon != std::string_view::npos && equalsIgnoreCase(line.substr(0, colon), name);
}

size_t findHeader(const std::vector<std::string>& lines, std::string_view name, size_t from)
{
    for (size_t i = from; i < lines.size(); ++i) {
        if (hasName(lines[i], name))
            return i;
    }
    return lines.size();
}

// Erases the line at index and its continuation lines.
void eraseField(std::vector<std::string>& lines, size_t index)
{
    size_t end = index + 1;
    while (end < lines.size() && isContinuation(lines[end]))
        ++end;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index), lines.begin() + static_cast<std::ptrdiff_t>(end));
}

} // namespace

void setHeader(std::vector<std::string>& lines, std::string_view name, const std::string& value)
{
    const size_t index = findHeader(lines, name, 0);
    if (index < lines.size())
        eraseField(lines, index);
    if (value.empty())
        return;
    std::string line = std::string(name) + ": " + withoutLineBreaks(value);
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

void removeHeaders(std::vector<std::string>& lines, std::string_view name)
{
    for (size_t index = findHeader(lines, name, 0); index < lines.size(); index = findHeader(lines, name, index))
        eraseField(lines, index);
}

std::string withoutLineBreaks(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return out;
}

} // namespace kestrin
