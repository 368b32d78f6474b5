#pragma once
// Content-Transfer-Encoding (RFC 2045) of a message body or a MIME part.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class TransferEncoding { Identity, Base64, QuotedPrintable, UUEncode };

// The encoding named by a Content-Transfer-Encoding value, case ignored. Empty,
// "7bit", "8bit", "binary" and every unknown name mean Identity: misspellings
// such as "8bits" or "7-bit" are common and the text behind them is plain.
TransferEncoding parseTransferEncoding(std::string_view value);

// The decoded bytes of body lines (line ends already removed). Identity
// content is the lines joined with CR LF; uuencode content yields the name of
// its "begin" line in fileName.
std::string decodeTransferEncoded(const std::vector<std::string>& lines, TransferEncoding encoding,
                                  std::string& fileName);

// Body lines decoded as text lines. Quoted-printable keeps one line per hard
// line break, an empty last line included; base64 and uuencoded text is split
// with splitLines.
std::vector<std::string> decodeTextLines(std::vector<std::string> lines, TransferEncoding encoding);

// Lines joined with CR LF between them (the canonical form of MIME text).
std::string joinLines(const std::vector<std::string>& lines);

// Decoded text split into lines at LF, one CR before the LF removed; a line end
// at the very end does not start another (empty) line.
std::vector<std::string> splitLines(std::string_view text);

} // namespace kestrin
