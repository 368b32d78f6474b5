#include "engine/account_fields.h"

#include "text/convert_error.h"
#include "text/strict_integer.h"

namespace kestrin {

bool SizeLimit::admits(int64_t messageSize) const
{
    return unlimited || int64_t{kilobytes} * 1024 >= messageSize;
}

std::optional<SizeLimit> accountSizeLimit(std::string_view size)
{
    if (size == kUnlimitedSizeText)
        return SizeLimit{true, 0};
    try {
        return SizeLimit{false, strictInteger(size)};
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

std::optional<uint16_t> accountPort(std::string_view port)
{
    try {
        return static_cast<uint16_t>(strictIntegerInRange(port, 0, 65535));
    } catch (const EConvertError&) {
        return std::nullopt;
    }
}

std::optional<AccountConnection> accountConnection(const AccountRecord& account)
{
    const std::optional<Pop3Security> security = pop3SecurityFromText(account.ssl);
    const std::optional<SizeLimit> sizeLimit = accountSizeLimit(account.size);
    const std::optional<uint16_t> port = accountPort(account.dopo);
    if (!security || !sizeLimit || !port)
        return std::nullopt;
    return AccountConnection{*port, *security, *sizeLimit};
}

std::string_view proposedPop3Port(std::string_view port, Pop3Security from, Pop3Security to)
{
    if (to == Pop3Security::Tls && from != Pop3Security::Tls && port == "110")
        return "995";
    if (from == Pop3Security::Tls && to != Pop3Security::Tls && port == "995")
        return "110";
    return port;
}

} // namespace kestrin
