#pragma once
// Turns a vCard value as written into Windows-1250 text: quoted-printable
// decoding (2.1), the charset, then backslash escapes.
#include "storage/vcard.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// "=XX" bytes decoded; an '=' not followed by two hex digits stays as written.
std::string decodeVCardQuotedPrintable(std::string_view text);

// Windows-1250 and ISO-8859-2 are taken at their word. Any other label, or
// none, means UTF-8 when the bytes are well-formed UTF-8, else the bytes as
// they are: old writers that label nothing (or lie) mostly wrote the local
// code page, and those bytes are kept rather than turned into '?'.
std::string decodeCharset(std::string_view bytes, std::string_view charset);

// 3.0 and 4.0: \n \N \, \; \\ (and \: from sloppy writers); 2.1 knows only \;.
// Any other backslash stays.
std::string unescapeVCardText(std::string_view text, VCardVersion version);

// The parts of a structured value (N, ADR, ORG), split at unescaped ';'.
std::vector<std::string> splitVCardComponents(std::string_view text, VCardVersion version);

} // namespace kestrin
