#include "mail/transfer_encoding.h"

#include "mail/base64.h"
#include "mail/quoted_printable.h"
#include "mail/uuencode.h"
#include "text/ascii_case.h"

namespace kestrin {
namespace {

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

} // namespace

TransferEncoding parseTransferEncoding(std::string_view value)
{
    const std::string_view name = trimBlanks(value);
    if (equalsIgnoreCase(name, "base64"))
        return TransferEncoding::Base64;
    if (equalsIgnoreCase(name, "quoted-printable"))
        return TransferEncoding::QuotedPrintable;
    if (equalsIgnoreCase(name, "x-uuencode") || equalsIgnoreCase(name, "uuencode") || equalsIgnoreCase(name, "x-uue"))
        return TransferEncoding::UUEncode;
    return TransferEncoding::Identity;
}

std::string joinLines(const std::vector<std::string>& lines)
{
    size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool hasLineEnd = end != std::string_view::npos;
        if (!hasLineEnd)
            end = text.size();
        size_t length = end - start;
        if (hasLineEnd && length > 0 && text[end - 1] == '\r')
            --length;
        lines.emplace_back(text.substr(start, length));
        start = end + 1;
    }
    return lines;
}

std::string decodeTransferEncoded(const std::vector<std::string>& lines, TransferEncoding encoding,
                                  std::string& fileName)
{
    switch (encoding) {
    case TransferEncoding::Base64:
        return decodeBase64(joinLines(lines));
    case TransferEncoding::QuotedPrintable:
        return decodeQuotedPrintable(joinLines(lines));
    case TransferEncoding::UUEncode:
        return decodeUuencodeBlock(lines, fileName);
    case TransferEncoding::Identity:
        break;
    }
    return joinLines(lines);
}

std::vector<std::string> decodeTextLines(std::vector<std::string> lines, TransferEncoding encoding)
{
    if (encoding == TransferEncoding::Identity)
        return lines;
    if (encoding == TransferEncoding::QuotedPrintable) {
        // Every received line ended with a line end, the last one too.
        std::string text = joinLines(lines);
        text += "\r\n";
        return splitLines(decodeQuotedPrintable(text));
    }
    std::string ignoredFileName;
    return splitLines(decodeTransferEncoded(lines, encoding, ignoredFileName));
}

} // namespace kestrin
