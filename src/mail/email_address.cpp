#include "mail/email_address.h"

#include "mail/quoted_string.h"
#include "text/ascii_case.h"

#include <string_view>

namespace kestrin {
namespace {

bool isAsciiAlnum(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// RFC 2822 atext: what may stand in a local part or a display name unquoted.
bool isAtext(char c)
{
    return isAsciiAlnum(c) || std::string_view("!#$%&'*+-/=?_`{}|~").find(c) != std::string_view::npos;
}

bool isPlainLocalPart(std::string_view s)
{
    for (char c : s) {
        if (!isAtext(c) && c != '.')
            return false;
    }
    return true;
}

// A dot needs quotes in a display name (RFC 2822 phrase), unlike in a local part.
bool isPlainName(std::string_view s)
{
    for (char c : s) {
        if (!isAtext(c) && c != ' ')
            return false;
    }
    return true;
}

// The address itself, quoting the local part when it needs it, and whether
// that happened (a quoted address is always written in angle brackets).
std::string addressSpec(std::string_view address, bool& quotedLocal)
{
    const size_t at = address.rfind('@');
    const std::string_view local = address.substr(0, at);
    quotedLocal = !isPlainLocalPart(local);
    if (!quotedLocal)
        return std::string(address);
    std::string out = quotedString(local);
    if (at != std::string_view::npos)
        out += address.substr(at);
    return out;
}

std::string addressForm(const std::string& name, const std::string& address)
{
    if (address.empty())
        return name.empty() ? std::string() : std::string("<>");
    bool quotedLocal = false;
    const std::string addrSpec = addressSpec(address, quotedLocal);
    return (quotedLocal || !name.empty()) ? "<" + addrSpec + ">" : addrSpec;
}

} // namespace

std::string TIdEMailAddressItem::text() const
{
    // A name that only repeats the address adds nothing.
    if (Name.empty() || equalsIgnoreCase(Name, Address))
        return addressForm(Name, Address);
    return (isPlainName(Name) ? Name : quotedString(Name)) + " " + addressForm(Name, Address);
}

std::string TIdEMailAddressList::text() const
{
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += items[i].text();
    }
    return out;
}

} // namespace kestrin
