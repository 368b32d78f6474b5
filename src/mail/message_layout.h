#pragma once
// How a message's body is laid out when written; the header generator and the
// body writer must agree on it, and both must agree with the reader.
#include "mail/message.h"

#include <string>

namespace kestrin {

// The boundary the written message uses: its own, or (for a MIME message that
// has parts but no boundary yet) a fixed one. Empty: no multipart body.
std::string outgoingBoundary(const TIdMessage& message);

// The boundary of a nested multipart: its own, or a fixed one per index.
std::string containerBoundary(const TIdMessage& message, size_t index);

// True when the reader takes the whole body as one piece of encoded content:
// a MIME message without boundary, or a plain one declared base64 or
// quoted-printable.
bool writesAsSinglePart(const TIdMessage& message);

// The message's Content-Type value with its charset and boundary parameters.
std::string contentTypeValue(const TIdMessage& message);

} // namespace kestrin
