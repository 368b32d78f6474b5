#include "mail/message_layout.h"

#include "mail/quoted_string.h"
#include "mail/transfer_encoding.h"

namespace kestrin {
namespace {

constexpr const char* kBoundaryPrefix = "=_kestrin_part_";

} // namespace

std::string outgoingBoundary(const TIdMessage& message)
{
    if (!message.boundary.empty())
        return message.boundary;
    if (message.encoding == TIdMessageEncoding::Mime && (!message.parts.empty() || !message.containers.empty()))
        return std::string(kBoundaryPrefix) + "0";
    return {};
}

std::string containerBoundary(const TIdMessage& message, size_t index)
{
    if (index < message.containers.size() && !message.containers[index].boundary.empty())
        return message.containers[index].boundary;
    return kBoundaryPrefix + std::to_string(index + 1);
}

bool writesAsSinglePart(const TIdMessage& message)
{
    if (!outgoingBoundary(message).empty())
        return false;
    if (message.encoding == TIdMessageEncoding::Mime)
        return true;
    const TransferEncoding encoding = parseTransferEncoding(message.contentTransferEncoding);
    return encoding == TransferEncoding::Base64 || encoding == TransferEncoding::QuotedPrintable;
}

std::string contentTypeValue(const TIdMessage& message)
{
    std::string value = message.contentType.empty() ? std::string("text/plain") : message.contentType;
    if (!message.CharSet.empty())
        value += "; charset=" + quotedString(message.CharSet);
    const std::string boundary = outgoingBoundary(message);
    if (!boundary.empty())
        value += "; boundary=" + quotedString(boundary);
    return value;
}

} // namespace kestrin
