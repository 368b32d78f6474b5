#pragma once
#include "mail/email_address.h"
#include "mail/header_list.h"
#include "text/date_time.h"

#include <string>
#include <vector>

namespace kestrin {

enum class TIdMessageEncoding { Plain, Mime };

// One leaf part of a MIME message (or one uuencoded block of a plain message).
struct TIdMessagePart {
    enum class Kind { Text, Attachment };
    Kind kind = Kind::Text;
    TIdHeaderList headers;               // the part's own header lines as received
    std::string contentType;             // up to the first ';', trimmed
    std::string charset;                 // upper case, as for the message
    std::string contentTransferEncoding; // as in the part header
    std::string contentDisposition;
    std::string fileName;           // from the disposition or content type, when given
    std::vector<std::string> lines; // text parts: decoded lines
    std::string data;               // attachments: decoded bytes
    int parentPart = -1;            // index into TIdMessage::containers, -1 = the message itself
};

// A nested multipart (e.g. multipart/alternative inside multipart/mixed). Kept
// apart from the leaf parts so the structure can be written back.
struct TIdMessageContainer {
    TIdHeaderList headers;
    std::string contentType;
    std::string boundary;
    int parentPart = -1; // index of the enclosing container, -1 = the message itself
};

class TIdMessage {
public:
    TIdHeaderList rawHeaders;
    TIdEMailAddressItem From;
    TIdEMailAddressList fromList;
    TIdEMailAddressList Recipients;
    TIdEMailAddressList ccList;
    TIdEMailAddressList bccList;
    TIdEMailAddressList replyToList;
    std::string Subject;
    TDateTime Date = 0;
    std::string messageId;
    std::string newsgroups;
    std::string CharSet;
    std::string contentType = "text/plain";
    std::string contentTransferEncoding;
    std::string contentDisposition;
    std::string organization;
    std::string references;
    TIdEMailAddressItem sender;
    TIdEMailAddressItem receiptRecipient;
    int priority = 2; // 0 highest .. 4 lowest
    TIdMessageEncoding encoding = TIdMessageEncoding::Plain;
    std::string boundary;
    std::vector<std::string> Body;
    std::vector<TIdMessagePart> parts;
    std::vector<TIdMessageContainer> containers;
    // Headers an outgoing message adds after the generated ones ("Name: value"
    // lines); each replaces the first raw line of its name, and an empty value
    // removes that line.
    TIdHeaderList extraHeaders;

    void Clear();
    void addRawHeaderLine(std::string line) { rawHeaders.add(std::move(line)); }
    // Derives every property above from the raw header lines.
    void processHeaders();
    std::string headerValue(std::string_view name) const { return rawHeaders.value(name); }
    // Reads a file the way a RETR answer is read, then processes the headers.
    void loadFromFile(const std::string& fileName);
    // Creates or replaces the file with the message as it would follow DATA
    // ("Bcc" kept, leading dots doubled, CR LF line ends) and a last "." line.
    void saveToFile(const std::string& fileName) const;
};

} // namespace kestrin
