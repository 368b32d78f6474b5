#pragma once
// Reading a message from lines handed over the way a POP3 RETR or TOP answer
// delivers them (or a message file, read the same way).
#include "mail/line_source.h"
#include "mail/message.h"

namespace kestrin {

// Clears the message, reads the raw header lines up to the empty line (or up
// to the "." line or the end of input, for a header-only answer), adds every
// non-empty one as received and processes the headers. Returns true when the
// header ended with the empty line, i.e. a body follows.
bool readMessageHeader(TIdMessage& message, LineSource& source);

// Reads the body up to the "." line or the end of input into Body and the
// parts, replacing what they held. Uses the processed header properties
// (encoding, boundary, transfer encoding), so it follows readMessageHeader.
void readMessageBody(TIdMessage& message, LineSource& source);

// Both of the above: a whole RETR answer.
void readMessage(TIdMessage& message, LineSource& source);

// A TOP n 0 answer: clears the message, adds every non-empty line up to the
// "." line as a raw header line (an empty line inside does not end the header)
// and processes the headers.
void readHeaderOnlyAnswer(TIdMessage& message, LineSource& source);

} // namespace kestrin
