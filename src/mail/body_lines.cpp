#include "mail/body_lines.h"

#include "mail/base64.h"
#include "mail/quoted_printable.h"
#include "mail/uuencode_writer.h"

namespace kestrin {
namespace {

constexpr size_t kBase64LineLength = 76;

void appendBrokenLine(std::string_view line, std::vector<std::string>& out)
{
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] != '\r' && line[i] != '\n')
            continue;
        out.emplace_back(line.substr(start, i - start));
        if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    out.emplace_back(line.substr(start));
}

// Quoted-printable may write '-' as itself, so a decoded line that reads like
// a boundary ("--...") would come out as one; its first '-' is escaped.
std::vector<std::string> quotedPrintableLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> out = splitLines(encodeQuotedPrintable(joinLines(lines) + "\r\n"));
    for (std::string& line : out) {
        if (line.size() >= 2 && line[0] == '-' && line[1] == '-')
            line.replace(0, 1, "=2D");
    }
    return out;
}

} // namespace

std::vector<std::string> breakEmbeddedLineEnds(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines)
        appendBrokenLine(line, out);
    return out;
}

// Every decoder here reads a final line end as ending the last line, so the
// text is written with one: an empty last line then survives too.
std::vector<std::string> encodeTextLines(const std::vector<std::string>& lines, TransferEncoding encoding,
                                         std::string_view uuFileName)
{
    if (lines.empty())
        return {};
    switch (encoding) {
    case TransferEncoding::QuotedPrintable:
        return quotedPrintableLines(lines);
    case TransferEncoding::Base64:
        return base64Lines(joinLines(lines) + "\r\n");
    case TransferEncoding::UUEncode:
        return uuencodeBlock(joinLines(lines) + "\r\n", uuFileName);
    case TransferEncoding::Identity:
        break;
    }
    return breakEmbeddedLineEnds(lines);
}

std::vector<std::string> base64Lines(std::string_view bytes)
{
    const std::string text = encodeBase64(bytes);
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < text.size(); pos += kBase64LineLength)
        lines.push_back(text.substr(pos, kBase64LineLength));
    return lines;
}

std::vector<std::string> splitAtCrLf(std::string_view bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            return lines;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = end + 2;
    }
}

} // namespace kestrin
