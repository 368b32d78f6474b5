#pragma once
// Messages for engine tests, built member by member as the parser would leave them.
#include "mail/message.h"

#include <initializer_list>
#include <string>

namespace kestrin::test {

inline TIdEMailAddressItem address(std::string name, std::string mail)
{
    TIdEMailAddressItem item;
    item.Name = std::move(name);
    item.Address = std::move(mail);
    return item;
}

inline TIdMessagePart part(TIdMessagePart::Kind kind, std::initializer_list<std::string> lines)
{
    TIdMessagePart result;
    result.kind = kind;
    result.lines = lines;
    return result;
}

inline TIdMessage messageWithHeaders(std::initializer_list<std::string> lines)
{
    TIdMessage message;
    for (const std::string& line : lines)
        message.rawHeaders.add(line);
    return message;
}

} // namespace kestrin::test
