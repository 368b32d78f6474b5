#pragma once
// Cuts vCard bytes into unfolded logical lines. A line break followed by a
// space or tab continues the line (RFC 2425 removes that one blank, 2.1 keeps
// it); a 2.1 quoted-printable value ending in "=" continues on the next line.
// Line breaks may be CRLF, LF or a lone CR. Every byte is looked at a bounded
// number of times, so time stays linear whatever the folding.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrin {

class VCardLines {
public:
    VCardLines(std::string_view bytes, size_t maxLineBytes);

    // The next logical line into line; false at the end of the bytes. When the
    // line grew past the bound, oversize is set and line is left empty.
    bool next(std::string& line, bool& oversize, bool keepFoldBlank);

private:
    std::string_view physicalLine();
    bool atFold() const;
    bool nextLineEndsCard() const;
    void append(std::string& line, std::string_view part, bool& oversize) const;

    std::string_view bytes_;
    size_t pos_ = 0;
    size_t maxLineBytes_;
};

} // namespace kestrin
