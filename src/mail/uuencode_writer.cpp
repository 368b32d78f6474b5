#include "mail/uuencode_writer.h"

namespace kestrin {
namespace {

constexpr size_t kBytesPerLine = 45;

char uuChar(unsigned sixBits)
{
    return sixBits == 0 ? '`' : static_cast<char>(' ' + sixBits);
}

std::string dataLine(std::string_view bytes)
{
    std::string line(1, uuChar(static_cast<unsigned>(bytes.size())));
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (i + k < bytes.size() ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (int shift = 18; shift >= 0; shift -= 6)
            line += uuChar((group >> shift) & 63);
    }
    return line;
}

std::string cleanFileName(std::string_view name)
{
    std::string out;
    for (char c : name)
        out += (c == '\r' || c == '\n') ? ' ' : c;
    while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
        out.pop_back();
    return out.empty() ? std::string("attachment") : out;
}

} // namespace

std::vector<std::string> uuencodeBlock(std::string_view bytes, std::string_view fileName)
{
    std::vector<std::string> lines;
    lines.push_back("begin 644 " + cleanFileName(fileName));
    for (size_t pos = 0; pos < bytes.size(); pos += kBytesPerLine)
        lines.push_back(dataLine(bytes.substr(pos, kBytesPerLine)));
    lines.emplace_back("`");
    lines.emplace_back("end");
    return lines;
}

} // namespace kestrin
