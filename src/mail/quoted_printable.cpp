#include "mail/quoted_printable.h"

#include "text/hex_digit.h"

namespace kestrin {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Decodes one line (without its line end); returns true when it ended in a soft break.
bool decodeLine(std::string_view line, std::string& out)
{
    while (!line.empty() && isBlank(line.back()))
        line.remove_suffix(1);
    const bool soft = !line.empty() && line.back() == '=';
    if (soft)
        line.remove_suffix(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '=' && i + 2 < line.size()) {
            const int high = hexDigitValue(line[i + 1]);
            const int low = hexDigitValue(line[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += c;
    }
    return soft;
}

constexpr size_t kMaxEncodedLine = 76;

std::string escaped(unsigned char c)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    return {'=', kHex[c >> 4], kHex[c & 15]};
}

// Encodes one line (without its line end), wrapping it with soft breaks.
void encodeLine(std::string_view line, std::string& out)
{
    size_t width = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        const bool last = i + 1 == line.size();
        const bool literal = (c >= 33 && c <= 126 && c != '=') || (isBlank(static_cast<char>(c)) && !last);
        const std::string token = literal ? std::string(1, static_cast<char>(c)) : escaped(c);
        // Keep one column free for the '=' of a soft break.
        if (width + token.size() > kMaxEncodedLine - 1) {
            out += "=\r\n";
            width = 0;
        }
        out += token;
        width += token.size();
    }
}

} // namespace

std::string decodeQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const bool hasLineEnd = end != std::string_view::npos;
        if (!hasLineEnd)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (hasLineEnd && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const bool soft = decodeLine(line, out);
        if (hasLineEnd && !soft)
            out += "\r\n";
        start = end + 1;
    }
    return out;
}

std::string encodeQuotedPrintable(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    size_t start = 0;
    while (start <= bytes.size()) {
        size_t end = bytes.find('\n', start);
        const bool hasLineEnd = end != std::string_view::npos;
        if (!hasLineEnd)
            end = bytes.size();
        std::string_view line = bytes.substr(start, end - start);
        if (hasLineEnd && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        encodeLine(line, out);
        if (!hasLineEnd)
            break;
        out += "\r\n";
        start = end + 1;
    }
    return out;
}

} // namespace kestrin
