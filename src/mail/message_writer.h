#pragma once
// Writing a message: the header generated for an outgoing message (or for the
// message file) and the lines that follow DATA. Every returned line is free of
// CR and LF; the caller ends each with CR LF.
#include "mail/message.h"

#include <string>
#include <vector>

namespace kestrin {

// Sending drops "Bcc" (every such line, so no blind copy leaks); File keeps it.
enum class HeaderPurpose { Sending, File };

// The message's raw header lines with each generated header put in place of
// the first line of the same name (with its continuation lines) or appended;
// an empty generated value removes that line. Long lines come back folded:
// a continuation is a separate element beginning with a space.
std::vector<std::string> generateHeaders(const TIdMessage& message, HeaderPurpose purpose);

// The message body as lines: Body, then (for a multipart message) every part
// under its boundary with nested multiparts rebuilt, text parts re-encoded in
// their declared transfer encoding and attachments in base64; in a plain
// message, attachments as uuencoded blocks.
std::vector<std::string> bodyLines(const TIdMessage& message);

// generateHeaders, an empty line, bodyLines: the message as it follows DATA,
// before dot-stuffing.
std::vector<std::string> messageLines(const TIdMessage& message, HeaderPurpose purpose);

// RFC 821 transparency: a line beginning with "." gets one more.
std::vector<std::string> dotStuff(std::vector<std::string> lines);

} // namespace kestrin
