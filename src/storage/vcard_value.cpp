// The value decoding of storage/vcard_value.h.
#include "storage/vcard_value.h"

#include "text/ascii_case.h"
#include "text/cp1250.h"
#include "text/hex_digit.h"
#include "text/iso8859_2.h"
#include "text/utf8_check.h"

namespace kestrin {
namespace {

bool isCharset(std::string_view charset, std::initializer_list<std::string_view> names)
{
    for (const std::string_view name : names)
        if (equalsIgnoreCase(charset, name))
            return true;
    return false;
}

// The byte an escape stands for, or 0 when the backslash is no escape there.
char escapedByte(char next, VCardVersion version)
{
    if (version == VCardVersion::V21)
        return next == ';' ? ';' : 0;
    switch (next) {
    case 'n':
    case 'N':
        return '\n';
    case ',':
    case ';':
    case '\\':
    case ':':
        return next;
    default:
        return 0;
    }
}

} // namespace

std::string decodeVCardQuotedPrintable(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '=' && i + 2 < text.size() && hexDigitValue(text[i + 1]) >= 0 &&
            hexDigitValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexDigitValue(text[i + 1]) * 16 + hexDigitValue(text[i + 2]));
            i += 2;
        } else if (text[i] != '=' || i + 1 < text.size()) {
            out += text[i]; // a final '=' is a soft line break that leads nowhere
        }
    }
    return out;
}

std::string decodeCharset(std::string_view bytes, std::string_view charset)
{
    if (isCharset(charset, {"windows-1250", "cp1250", "x-cp1250"}))
        return std::string(bytes);
    if (isCharset(charset, {"iso-8859-2", "iso8859-2", "iso_8859-2", "latin2", "l2"}))
        return iso88592ToCp1250(bytes);
    if (isValidUtf8(bytes))
        return utf8ToCp1250(bytes);
    return std::string(bytes);
}

std::string unescapeVCardText(std::string_view text, VCardVersion version)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char byte = (text[i] == '\\' && i + 1 < text.size()) ? escapedByte(text[i + 1], version) : 0;
        if (byte != 0) {
            out += byte;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> splitVCardComponents(std::string_view text, VCardVersion version)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i; // an escaped byte, ';' included, never separates
        } else if (text[i] == ';') {
            parts.push_back(unescapeVCardText(text.substr(start, i - start), version));
            start = i + 1;
        }
    }
    parts.push_back(unescapeVCardText(text.substr(start), version));
    return parts;
}

} // namespace kestrin
