#include "mail/uuencode.h"

namespace kestrin {
namespace {

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// Characters of the uuencode alphabet carry six bits each; '`' stands for zero.
unsigned sextet(char c)
{
    return static_cast<unsigned>(static_cast<unsigned char>(c) - 32) & 63;
}

bool isUuencodeChar(char c)
{
    return c >= ' ' && c <= '`';
}

size_t encodedLength(size_t byteCount)
{
    return (byteCount + 2) / 3 * 4;
}

} // namespace

bool parseUuencodeBegin(std::string_view line, std::string& fileName)
{
    constexpr std::string_view kBegin = "begin ";
    if (line.substr(0, kBegin.size()) != kBegin)
        return false;
    size_t pos = kBegin.size();
    const size_t digitsStart = pos;
    while (pos < line.size() && isOctalDigit(line[pos]))
        ++pos;
    const size_t digits = pos - digitsStart;
    if (digits < 3 || digits > 4 || pos >= line.size() || line[pos] != ' ')
        return false;
    std::string_view name = line.substr(pos + 1);
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
        name.remove_suffix(1);
    if (name.empty())
        return false;
    fileName = std::string(name);
    return true;
}

bool isUuencodeEnd(std::string_view line)
{
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    return line == "end";
}

bool isUuencodeDataLine(std::string_view line)
{
    if (line.empty())
        return false;
    for (char c : line) {
        if (!isUuencodeChar(c))
            return false;
    }
    const size_t needed = encodedLength(sextet(line[0]));
    return line.size() - 1 + 2 >= needed;
}

void decodeUuencodeLine(std::string_view line, std::string& out)
{
    if (line.empty())
        return;
    size_t remaining = sextet(line[0]);
    size_t pos = 1;
    while (remaining > 0) {
        unsigned bits = 0;
        for (size_t k = 0; k < 4; ++k) {
            const char c = pos + k < line.size() ? line[pos + k] : '`';
            bits = (bits << 6) | sextet(c);
        }
        pos += 4;
        for (int shift = 16; shift >= 0 && remaining > 0; shift -= 8, --remaining)
            out += static_cast<char>((bits >> shift) & 0xFF);
    }
}

std::string decodeUuencodeBlock(const std::vector<std::string>& lines, std::string& fileName)
{
    size_t first = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (parseUuencodeBegin(lines[i], fileName)) {
            first = i + 1;
            break;
        }
    }
    std::string out;
    for (size_t i = first; i < lines.size() && !isUuencodeEnd(lines[i]); ++i)
        decodeUuencodeLine(lines[i], out);
    return out;
}

} // namespace kestrin
