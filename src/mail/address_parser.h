#pragma once
// Address headers ("From", "To", "Cc", "Bcc", "Reply-To", "Sender") read the
// forgiving way mail clients read them: RFC 2822 syntax where it is followed,
// a best guess where it is not, and an EIdEmailParseError only for an "@"
// after the closing ">".
#include "mail/email_address.h"

#include <string_view>

namespace kestrin {

// Splits at commas outside quotes and comments; a group name before ':' is
// dropped and ';' ends an item. Items that give no address are left out.
TIdEMailAddressList parseAddressList(std::string_view text);

// One address with its display name. Throws EIdEmailParseError("@ Outside address").
TIdEMailAddressItem parseAddress(std::string_view text);

} // namespace kestrin
