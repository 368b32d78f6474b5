#pragma once
#include <string>
#include <string_view>

namespace kestrin {

// The value of one parameter of a structured header value such as
// `multipart/mixed; boundary="abc"` (RFC 2045): the name compared ignoring
// ASCII case, a quoted value unquoted (backslash escapes honoured), an unquoted
// value up to the next ';' or blank. Empty when the parameter is absent.
std::string contentTypeParameter(std::string_view headerValue, std::string_view name);

// The value up to the first ';', trimmed of blanks.
std::string contentTypeBase(std::string_view headerValue);

} // namespace kestrin
