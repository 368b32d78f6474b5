#pragma once
// The text that body rules look at: the first text part of a MIME message, or
// the plain body when there is none.
#include "mail/message.h"

#include <string>
#include <string_view>

namespace kestrin {

// Each line of the first text part (even an empty one ends the search) or, when
// no part is text, of the plain body, followed by separator. With the separator
// exactly " " every LF and then every CR is removed from the result.
std::string messageText(const TIdMessage& message, std::string_view separator);

} // namespace kestrin
