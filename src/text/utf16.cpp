// utf16ToUtf8 of text/utf16.h.
#include "text/utf16.h"

#include "text/utf8_encode.h"

namespace kestrin {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

char32_t unitAt(std::string_view bytes, size_t pos, bool littleEndian)
{
    const auto first = static_cast<unsigned char>(bytes[pos]);
    const auto second = static_cast<unsigned char>(bytes[pos + 1]);
    return littleEndian ? char32_t(first | (second << 8)) : char32_t((first << 8) | second);
}

bool isHigh(char32_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLow(char32_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    size_t pos = 0;
    while (pos + 1 < bytes.size()) {
        const char32_t unit = unitAt(bytes, pos, littleEndian);
        pos += 2;
        if (isHigh(unit) && pos + 1 < bytes.size() && isLow(unitAt(bytes, pos, littleEndian))) {
            appendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (unitAt(bytes, pos, littleEndian) - 0xDC00));
            pos += 2;
        } else {
            appendUtf8(out, isHigh(unit) || isLow(unit) ? kReplacement : unit);
        }
    }
    if (pos < bytes.size())
        appendUtf8(out, kReplacement);
    return out;
}

} // namespace kestrin
