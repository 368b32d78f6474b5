#pragma once
// Small value rules of the message header: the charset the rules compare and
// the message priority.
#include <string>
#include <string_view>

namespace kestrin {

// The charset parameter of a "Content-Type" value, upper case, without quotes;
// empty when there is none.
std::string charsetParameter(std::string_view contentType);

// "Priority" / "X-Priority" as 0 (highest) .. 4 (lowest); 2 when the value says nothing usable.
int priorityFromHeader(std::string_view value);

} // namespace kestrin
