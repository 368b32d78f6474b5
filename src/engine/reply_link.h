#pragma once
// The report's "Wyślij odpowiedź..." address: a "mailto:" link that opens a
// reply to exactly the sender with exactly "Re: " and the subject.
#include <string>

namespace kestrin {

// address and subject are Windows-1250 report fields. Both are written as
// UTF-8 and percent-encoded (RFC 6068), so a "?", "&", "%", "," or "#" the
// sender put into them cannot add header fields, a body or a second recipient.
std::string replyMailto(const std::string& address, const std::string& subject);

} // namespace kestrin
