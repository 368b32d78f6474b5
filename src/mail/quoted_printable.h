#pragma once
#include <string>
#include <string_view>

namespace kestrin {

// RFC 2045 quoted-printable body decoding. Line ends (LF or CR LF) in the input
// are hard line breaks and come out as CR LF; "=" at the end of a line (blanks
// after it allowed) is a soft break and joins the lines; blanks at the end of a
// line are transport padding and are dropped. A malformed escape ("=" not
// followed by two hexadecimal digits) is copied through unchanged, as mail
// programs do, so nothing of a sloppy message is lost.
std::string decodeQuotedPrintable(std::string_view text);

// The matching encoder for outgoing text: CR LF or LF in the input are hard line
// breaks (written as CR LF), lines are wrapped with soft breaks at 76
// characters, and "=", control bytes, bytes above 127 and blanks before a line
// end are escaped.
std::string encodeQuotedPrintable(std::string_view bytes);

} // namespace kestrin
