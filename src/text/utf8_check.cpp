// isValidUtf8 of text/utf8_check.h.
#include "text/utf8_check.h"

namespace kestrin {
namespace {

// The length of the sequence a lead byte opens and the smallest code point it may carry; 0 for a bad lead.
size_t sequenceLength(unsigned char lead, char32_t& codePoint, char32_t& minimum)
{
    if ((lead & 0xE0) == 0xC0) {
        codePoint = lead & 0x1F, minimum = 0x80;
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        codePoint = lead & 0x0F, minimum = 0x800;
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        codePoint = lead & 0x07, minimum = 0x10000;
        return 4;
    }
    return 0;
}

// Checks the multi-byte sequence at pos and moves past it.
bool validSequence(std::string_view bytes, size_t& pos)
{
    char32_t codePoint = 0;
    char32_t minimum = 0;
    const size_t length = sequenceLength(static_cast<unsigned char>(bytes[pos]), codePoint, minimum);
    if (length == 0 || bytes.size() - pos < length)
        return false;
    for (size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(bytes[pos + i]);
        if ((c & 0xC0) != 0x80)
            return false;
        codePoint = (codePoint << 6) | (c & 0x3F);
    }
    pos += length;
    return codePoint >= minimum && codePoint <= 0x10FFFF && (codePoint < 0xD800 || codePoint > 0xDFFF);
}

} // namespace

bool isValidUtf8(std::string_view bytes)
{
    size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80)
            ++pos;
        else if (!validSequence(bytes, pos))
            return false;
    }
    return true;
}

} // namespace kestrin
