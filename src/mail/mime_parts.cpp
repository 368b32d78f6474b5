#include "mail/mime_parts.h"

#include "mail/content_type_params.h"
#include "mail/header_rules.h"
#include "mail/mail_errors.h"
#include "text/ascii_case.h"

namespace kestrin {
namespace {

constexpr const char* kDefaultContentType = "text/plain";

// RFC 2045 5.2: a missing or syntactically invalid Content-Type means text/plain.
bool isUsableContentType(std::string_view base)
{
    const size_t slash = base.find('/');
    return slash != std::string_view::npos && slash > 0 && slash + 1 < base.size();
}

bool isAttachmentByName(const std::string& disposition, std::string_view contentTypeValue)
{
    const bool dispositionAttachment = equalsIgnoreCase(contentTypeBase(disposition), "attachment");
    if (dispositionAttachment && !contentTypeParameter(disposition, "filename").empty())
        return true;
    return !contentTypeParameter(contentTypeValue, "name").empty();
}

PartClass classify(const PartDescription& description, std::string_view contentTypeValue)
{
    const std::string& type = description.contentType;
    if (startsWithIgnoreCase(type, "multipart/")) {
        if (description.encoding != TransferEncoding::Identity)
            throw EIdUnknownMessagePartType("Unknown Message Part Type.");
        return PartClass::Container;
    }
    if (startsWithIgnoreCase(type, "text/"))
        return isAttachmentByName(description.contentDisposition, contentTypeValue) ? PartClass::Attachment
                                                                                    : PartClass::Text;
    return PartClass::Attachment;
}

} // namespace

PartDescription describePart(const TIdHeaderList& headers)
{
    PartDescription d;
    const std::string contentTypeValue = headers.value("Content-Type");
    const std::string base = contentTypeBase(contentTypeValue);
    d.contentType = isUsableContentType(base) ? base : kDefaultContentType;
    d.charset = charsetParameter(contentTypeValue);
    d.contentTransferEncoding = headers.value("Content-Transfer-Encoding");
    d.contentDisposition = headers.value("Content-Disposition");
    d.fileName = contentTypeParameter(d.contentDisposition, "filename");
    if (d.fileName.empty())
        d.fileName = contentTypeParameter(contentTypeValue, "name");
    d.boundary = contentTypeParameter(contentTypeValue, "boundary");
    d.encoding = parseTransferEncoding(d.contentTransferEncoding);
    d.partClass = classify(d, contentTypeValue);
    return d;
}

namespace {

TIdMessagePart describedPart(TIdHeaderList headers, const PartDescription& description, int parentPart)
{
    TIdMessagePart part;
    part.headers = std::move(headers);
    part.contentType = description.contentType;
    part.charset = description.charset;
    part.contentTransferEncoding = description.contentTransferEncoding;
    part.contentDisposition = description.contentDisposition;
    part.fileName = description.fileName;
    part.parentPart = parentPart;
    return part;
}

} // namespace

TIdMessagePart decodeLeafPart(TIdHeaderList headers, const PartDescription& description, std::vector<std::string> lines,
                              int parentPart)
{
    TIdMessagePart part = describedPart(std::move(headers), description, parentPart);
    part.kind =
        description.partClass == PartClass::Text ? TIdMessagePart::Kind::Text : TIdMessagePart::Kind::Attachment;
    if (part.kind == TIdMessagePart::Kind::Text) {
        part.lines = decodeTextLines(std::move(lines), description.encoding);
        return part;
    }
    std::string uuName;
    part.data = decodeTransferEncoded(lines, description.encoding, uuName);
    if (part.fileName.empty())
        part.fileName = uuName;
    return part;
}

TIdMessagePart rawAttachment(TIdHeaderList headers, const PartDescription& description,
                             const std::vector<std::string>& lines, int parentPart)
{
    TIdMessagePart part = describedPart(std::move(headers), description, parentPart);
    part.kind = TIdMessagePart::Kind::Attachment;
    part.data = joinLines(lines);
    return part;
}

const TIdMessagePart* firstTextPart(const TIdMessage& message)
{
    for (const auto& part : message.parts) {
        if (part.kind == TIdMessagePart::Kind::Text)
            return &part;
    }
    return nullptr;
}

} // namespace kestrin
