// iso88592ToCp1250 of text/iso8859_2.h.
#include "text/iso8859_2.h"

#include "text/cp1250.h"

#include <array>

namespace kestrin {
namespace {

// Code points of ISO-8859-2 bytes 0xA0-0xBF; from 0xC0 on both code pages hold the same letters.
constexpr std::array<char32_t, 32> kA0ToBF = {
    0x00A0, 0x0104, 0x02D8, 0x0141, 0x00A4, 0x013D, 0x015A, 0x00A7, 0x00A8, 0x0160, 0x015E,
    0x0164, 0x0179, 0x00AD, 0x017D, 0x017B, 0x00B0, 0x0105, 0x02DB, 0x0142, 0x00B4, 0x013E,
    0x015B, 0x02C7, 0x00B8, 0x0161, 0x015F, 0x0165, 0x017A, 0x02DD, 0x017E, 0x017C,
};

char toCp1250(unsigned char byte)
{
    if (byte < 0x80 || byte >= 0xC0)
        return static_cast<char>(byte);
    const char32_t codePoint = byte < 0xA0 ? char32_t{byte} : kA0ToBF[byte - 0xA0];
    unsigned char out = 0;
    return codePointToCp1250(codePoint, out) ? static_cast<char>(out) : '?';
}

} // namespace

std::string iso88592ToCp1250(std::string_view latin2)
{
    std::string out;
    out.reserve(latin2.size());
    for (const char c : latin2)
        out += toCp1250(static_cast<unsigned char>(c));
    return out;
}

} // namespace kestrin
