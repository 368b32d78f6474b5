#pragma once
// A message is recognised across check cycles by a digest of five header values,
// so one left on the server is classified and reported only once.
#include <string>
#include <string_view>

namespace kestrin {

// MD5 (RFC 1321) of data as 32 lowercase hexadecimal digits.
std::string md5Hex(std::string_view data);

// MD5 of the five texts concatenated without separators, in this order.
std::string messageIdentity(std::string_view messageId, std::string_view dateText, std::string_view senderName,
                            std::string_view senderAddress, std::string_view subject);

} // namespace kestrin
