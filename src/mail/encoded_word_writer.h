#pragma once
// RFC 2047 encoded words for outgoing headers. Message text is Windows-1250
// bytes, so that is the charset every encoded word names.
#include "mail/email_address.h"

#include <string>
#include <string_view>

namespace kestrin {

inline constexpr std::string_view kOutgoingCharset = "windows-1250";

// The bytes as Q-encoded words of at most 75 characters each, separated by one
// space (which decoders drop between adjacent encoded words).
std::string encodedWords(std::string_view bytes);

// Unstructured header text (Subject): words outside printable ASCII become
// encoded words, the rest stays as written. Reading the result back (trimming,
// then decoding) gives the text again, CR and LF excepted: they become blanks.
std::string encodeHeaderText(std::string_view text);

// One address with its display name encoded where needed, never the address.
std::string encodeAddressItem(const TIdEMailAddressItem& item);

// Items joined with ", ".
std::string encodeAddressList(const TIdEMailAddressList& list);

} // namespace kestrin
