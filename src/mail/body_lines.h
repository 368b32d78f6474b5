#pragma once
// Content of a body or a part as lines ready to follow a header: re-encoded in
// a transfer encoding, and without CR or LF inside any line.
#include "mail/transfer_encoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Every CR LF, lone CR and lone LF inside a line starts a new line: a bare
// line break would reach the server as something other than what was meant.
std::vector<std::string> breakEmbeddedLineEnds(const std::vector<std::string>& lines);

// Text lines written in the given encoding so that the reader's decoding gives
// the same lines back. uuFileName names a uuencoded block.
std::vector<std::string> encodeTextLines(const std::vector<std::string>& lines, TransferEncoding encoding,
                                         std::string_view uuFileName);

// Bytes as base64 lines of 76 characters (RFC 2045 6.8).
std::vector<std::string> base64Lines(std::string_view bytes);

// Bytes joined by CR LF split back into their lines (the inverse of joinLines).
std::vector<std::string> splitAtCrLf(std::string_view bytes);

} // namespace kestrin
