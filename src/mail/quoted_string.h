#pragma once
#include <string>
#include <string_view>

namespace kestrin {

// An RFC 822 quoted string: the text in double quotes, with a backslash before
// every backslash and double quote.
std::string quotedString(std::string_view text);

} // namespace kestrin
