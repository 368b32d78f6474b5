#pragma once
// RFC 2047 encoded words in "Subject", "From", "To", "Cc" and "Bcc". The
// decoded bytes stay in the sender's charset: message text is kept as bytes
// and never re-encoded.
#include <string>
#include <string_view>

namespace kestrin {

// Decodes the encoded words of the single-byte charsets the filter can compare
// (names starting with ISO, WINDOWS or KOI8); other charsets, UTF-8 among them,
// are left as received. Blanks between two decoded words are dropped, a decoded
// CR or LF becomes a blank, and NUL bytes are removed.
std::string decodeEncodedWords(std::string_view value);

// ISO-2022-JP (RFC 1468) to the Shift_JIS bytes Windows showed for it.
std::string iso2022JpToShiftJis(std::string_view bytes);

} // namespace kestrin
