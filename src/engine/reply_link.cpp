#include "engine/reply_link.h"

#include "text/cp1250.h"

namespace kestrin {
namespace {

bool unreserved(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

// keep: characters that stay as they are besides the unreserved ones.
std::string percentEncoded(const std::string& cp1250, std::string_view keep)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char ch : cp1250ToUtf8(cp1250)) {
        const auto c = static_cast<unsigned char>(ch);
        if (unreserved(c) || keep.find(ch) != std::string_view::npos) {
            encoded += ch;
        } else {
            encoded += '%';
            encoded += digits[c >> 4];
            encoded += digits[c & 0x0F];
        }
    }
    return encoded;
}

} // namespace

std::string replyMailto(const std::string& address, const std::string& subject)
{
    // The address keeps its "@"; every delimiter of the link
    // ("?", "&", "=", ",", "#", "%") is encoded.
    return "mailto:" + percentEncoded(address, "@") + "?Subject=" + percentEncoded("Re: " + subject, {});
}

} // namespace kestrin
