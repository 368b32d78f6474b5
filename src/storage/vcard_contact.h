#pragma once
// What the address book takes from a card: whether it is a contact at all,
// the name it is listed under, its preferred e-mail address and its
// properties as "NAME=value" lines.
#include "storage/vcard.h"

#include <optional>
#include <string>
#include <vector>

namespace kestrin {

// A 4.0 KIND:group card or an Apple X-ADDRESSBOOKSERVER-KIND:group card: a
// distribution list, not a person.
bool isGroupCard(const VCard& card);

// FN; else given and family name from N; else the first e-mail address; ""
// when the card has none of them. Control bytes become spaces, so the name
// is one line.
std::string contactName(const VCard& card);

// The EMAIL marked preferred (4.0 PREF=n, lowest first; 3.0 TYPE=pref; 2.1
// bare PREF), else the first non-empty one; nullopt when there is none.
std::optional<std::string> preferredEmail(const VCard& card);

// EMAIL_ADDRESS=<preferred address> (when there is one), DISPLAY_NAME=<name>,
// then NAME=value for every property in card order, each one line.
std::vector<std::string> contactPropertyLines(const VCard& card, const std::string& name);

} // namespace kestrin
