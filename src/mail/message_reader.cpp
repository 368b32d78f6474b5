#include "mail/message_reader.h"

#include "mail/body_parser.h"
#include "mail/transfer_encoding.h"

#include <string>
#include <vector>

namespace kestrin {
namespace {

bool isEndOfAnswer(const std::string& line)
{
    return line == ".";
}

// One body line with its RFC 1939 byte-stuffing dot removed; false at the "." line or the end of input.
bool readBodyLine(LineSource& source, std::string& line)
{
    if (!source.readLine(line) || isEndOfAnswer(line))
        return false;
    if (!line.empty() && line.front() == '.')
        line.erase(0, 1);
    return true;
}

// A MIME message without boundary, and a plain message declared base64 or
// quoted-printable, is one piece of encoded content.
bool decodesAsSinglePart(const TIdMessage& message)
{
    if (message.encoding == TIdMessageEncoding::Mime)
        return message.boundary.empty();
    const TransferEncoding encoding = parseTransferEncoding(message.contentTransferEncoding);
    return encoding == TransferEncoding::Base64 || encoding == TransferEncoding::QuotedPrintable;
}

void readSinglePartBody(TIdMessage& message, LineSource& source)
{
    std::vector<std::string> lines;
    std::string line;
    while (readBodyLine(source, line))
        lines.push_back(line);
    message.Body = decodeTextLines(std::move(lines), parseTransferEncoding(message.contentTransferEncoding));
}

void readLineByLineBody(TIdMessage& message, LineSource& source)
{
    MessageBodyParser parser(message);
    std::string line;
    while (readBodyLine(source, line))
        parser.addLine(line);
    parser.finish();
}

} // namespace

bool readMessageHeader(TIdMessage& message, LineSource& source)
{
    message.Clear();
    bool bodyFollows = false;
    std::string line;
    while (source.readLine(line) && !isEndOfAnswer(line)) {
        if (line.empty()) {
            bodyFollows = true;
            break;
        }
        message.addRawHeaderLine(line);
    }
    message.processHeaders();
    return bodyFollows;
}

void readMessageBody(TIdMessage& message, LineSource& source)
{
    message.Body.clear();
    message.parts.clear();
    message.containers.clear();
    if (decodesAsSinglePart(message))
        readSinglePartBody(message, source);
    else
        readLineByLineBody(message, source);
}

void readMessage(TIdMessage& message, LineSource& source)
{
    if (readMessageHeader(message, source))
        readMessageBody(message, source);
}

void readHeaderOnlyAnswer(TIdMessage& message, LineSource& source)
{
    message.Clear();
    std::string line;
    while (source.readLine(line) && !isEndOfAnswer(line)) {
        if (!line.empty())
            message.addRawHeaderLine(line);
    }
    message.processHeaders();
}

} // namespace kestrin
