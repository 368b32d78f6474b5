#include "mail/base64.h"

#include <array>

namespace kestrin {
namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::array<int8_t, 256> makeReverse()
{
    std::array<int8_t, 256> table{};
    for (auto& v : table)
        v = -1;
    for (size_t i = 0; i < kAlphabet.size(); ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int8_t>(i);
    return table;
}

constexpr std::array<int8_t, 256> kReverse = makeReverse();

// Appends the bytes of a group of `count` sextets (2..4) held in `bits`.
void flushGroup(std::string& out, uint32_t bits, int count)
{
    bits <<= 6 * (4 - count);
    out += static_cast<char>((bits >> 16) & 0xFF);
    if (count > 2)
        out += static_cast<char>((bits >> 8) & 0xFF);
    if (count > 3)
        out += static_cast<char>(bits & 0xFF);
}

} // namespace

std::string decodeBase64(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 3 / 4);
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=')
            break;
        const int8_t v = kReverse[static_cast<unsigned char>(c)];
        if (v < 0)
            continue;
        bits = (bits << 6) | static_cast<uint32_t>(v);
        if (++count == 4) {
            flushGroup(out, bits, 4);
            bits = 0;
            count = 0;
        }
    }
    if (count >= 2)
        flushGroup(out, bits, count);
    return out;
}

std::string decodeBase64Groups(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 3 / 4);
    size_t pos = 0;
    while (text.size() - pos >= 4) {
        uint32_t bits = 0;
        int valid = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text[pos + static_cast<size_t>(i)];
            if (c == '=')
                break;
            const int8_t v = kReverse[static_cast<unsigned char>(c)];
            bits = (bits << 6) | static_cast<uint32_t>(v < 0 ? 0 : v);
            ++valid;
        }
        pos += 4;
        if (valid < 4) {
            if (valid >= 2)
                flushGroup(out, bits, valid);
            break;
        }
        flushGroup(out, bits, 4);
    }
    return out;
}

std::string encodeBase64(std::string_view bytes)
{
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        const uint32_t n = (static_cast<unsigned char>(bytes[i]) << 16) |
                           (static_cast<unsigned char>(bytes[i + 1]) << 8) | static_cast<unsigned char>(bytes[i + 2]);
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += kAlphabet[(n >> 6) & 63];
        out += kAlphabet[n & 63];
    }
    const size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t n = static_cast<unsigned char>(bytes[i]) << 16;
        if (rest == 2)
            n |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += rest == 2 ? kAlphabet[(n >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

} // namespace kestrin
