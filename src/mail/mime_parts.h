#pragma once
// Classing and decoding of one MIME part from its own header lines and body lines.
#include "mail/message.h"
#include "mail/transfer_encoding.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class PartClass { Text, Attachment, Container };

// What a part's header lines say about it.
struct PartDescription {
    std::string contentType; // up to the first ';', trimmed; "text/plain" when absent
    std::string charset;     // upper case, read like the message's CharSet
    std::string contentTransferEncoding;
    std::string contentDisposition;
    std::string fileName; // disposition "filename", else content type "name"
    std::string boundary; // containers only
    TransferEncoding encoding = TransferEncoding::Identity;
    PartClass partClass = PartClass::Text;
};

// Classes a part: multipart/* is a container; text/* (or no usable Content-Type,
// which RFC 2045 reads as text/plain) is text unless it is an attachment by
// name (disposition "attachment" with a file name, or a content type "name");
// everything else, message/rfc822 included, is an attachment.
// The one part that cannot be classed raises EIdUnknownMessagePartType: a
// multipart whose body is base64, quoted-printable or uuencoded. RFC 2045
// forbids encoding a multipart, so such a part is neither a container that can
// be opened line by line nor a leaf of any declared type.
PartDescription describePart(const TIdHeaderList& headers);

// A text or attachment part decoded from its body lines.
TIdMessagePart decodeLeafPart(TIdHeaderList headers, const PartDescription& description, std::vector<std::string> lines,
                              int parentPart);

// An attachment holding lines exactly as received (joined with CR LF), for
// content the reader will not open: a multipart nested too deep or one without
// a boundary.
TIdMessagePart rawAttachment(TIdHeaderList headers, const PartDescription& description,
                             const std::vector<std::string>& lines, int parentPart);

// The first text part of a message, or nullptr: the body the rules read.
const TIdMessagePart* firstTextPart(const TIdMessage& message);

} // namespace kestrin
