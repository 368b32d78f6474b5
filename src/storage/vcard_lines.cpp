// VCardLines of storage/vcard_lines.h.
#include "storage/vcard_lines.h"

#include "text/ascii_case.h"

namespace kestrin {
namespace {

// Whether the property head (before the first ':') asks for quoted-printable.
bool headIsQuotedPrintable(std::string_view line)
{
    const size_t colon = line.find(':');
    return colon != std::string_view::npos &&
           findIgnoreCase(line.substr(0, colon), "QUOTED-PRINTABLE") != std::string_view::npos;
}

} // namespace

VCardLines::VCardLines(std::string_view bytes, size_t maxLineBytes) : bytes_(bytes), maxLineBytes_(maxLineBytes)
{
}

std::string_view VCardLines::physicalLine()
{
    const size_t end = bytes_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) {
        const std::string_view line = bytes_.substr(pos_);
        pos_ = bytes_.size();
        return line;
    }
    const std::string_view line = bytes_.substr(pos_, end - pos_);
    const bool crlf = bytes_[end] == '\r' && end + 1 < bytes_.size() && bytes_[end + 1] == '\n';
    pos_ = end + (crlf ? 2 : 1);
    return line;
}

bool VCardLines::atFold() const
{
    return pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t');
}

// A writer that forgot to close a quoted-printable value still ends its card.
bool VCardLines::nextLineEndsCard() const
{
    const std::string_view rest = bytes_.substr(pos_);
    return startsWithIgnoreCase(rest, "END:VCARD") || startsWithIgnoreCase(rest, "BEGIN:VCARD");
}

void VCardLines::append(std::string& line, std::string_view part, bool& oversize) const
{
    if (oversize)
        return;
    if (line.size() + part.size() > maxLineBytes_) {
        oversize = true;
        std::string().swap(line);
        return;
    }
    line.append(part);
}

bool VCardLines::next(std::string& line, bool& oversize, bool keepFoldBlank)
{
    if (pos_ >= bytes_.size())
        return false;
    line.clear();
    oversize = false;
    std::string_view last = physicalLine();
    append(line, last, oversize);
    // Decided once per line: asking again after every join would make a long value quadratic.
    bool quotedPrintable = false;
    bool decided = false;
    for (;;) {
        if (atFold()) {
            if (!keepFoldBlank)
                ++pos_;
            last = physicalLine();
            append(line, last, oversize);
            continue;
        }
        if (!decided) {
            quotedPrintable = !oversize && headIsQuotedPrintable(line);
            decided = true;
        }
        if (!quotedPrintable || last.empty() || last.back() != '=' || pos_ >= bytes_.size() || nextLineEndsCard())
            return true;
        if (!oversize)
            line.pop_back(); // the soft line break
        last = physicalLine();
        append(line, last, oversize);
    }
}

} // namespace kestrin
