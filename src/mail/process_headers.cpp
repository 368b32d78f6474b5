#include "mail/address_parser.h"
#include "mail/content_type_params.h"
#include "mail/encoded_words.h"
#include "mail/header_rules.h"
#include "mail/mail_date.h"
#include "mail/message.h"
#include "text/ascii_case.h"

namespace kestrin {
namespace {

// A header present with an empty value still counts (MIME-Version).
bool hasHeader(const TIdHeaderList& headers, std::string_view name)
{
    for (const std::string& line : headers.lines) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos && equalsIgnoreCase(std::string_view(line).substr(0, colon), name))
            return true;
    }
    return false;
}

std::string wrappedMessageId(std::string id)
{
    if (id.empty())
        return id;
    if (id.front() != '<')
        id.insert(id.begin(), '<');
    if (id.back() != '>')
        id += '>';
    return id;
}

std::string firstNonEmpty(const TIdMessage& message, std::string_view name, std::string_view fallbackName)
{
    std::string value = message.headerValue(name);
    return value.empty() ? message.headerValue(fallbackName) : value;
}

TIdEMailAddressList decodedAddressList(const TIdMessage& message, std::string_view name)
{
    return parseAddressList(decodeEncodedWords(message.headerValue(name)));
}

// Everything processHeaders derives, back to the state of an empty message, so
// that processing twice gives the same result.
void resetHeaderProperties(TIdMessage& m)
{
    m.From = {};
    m.fromList.clear();
    m.Recipients.clear();
    m.ccList.clear();
    m.bccList.clear();
    m.replyToList.clear();
    m.Subject.clear();
    m.Date = 0;
    m.messageId.clear();
    m.newsgroups.clear();
    m.CharSet.clear();
    m.contentType = "text/plain";
    m.contentTransferEncoding.clear();
    m.contentDisposition.clear();
    m.organization.clear();
    m.references.clear();
    m.sender = {};
    m.receiptRecipient = {};
    m.priority = 2;
    m.encoding = TIdMessageEncoding::Plain;
    m.boundary.clear();
}

} // namespace

void TIdMessage::processHeaders()
{
    resetHeaderProperties(*this);
    const std::string contentTypeValue = headerValue("Content-Type");
    contentType = contentTypeValue.empty() ? std::string("text/plain") : contentTypeBase(contentTypeValue);
    CharSet = charsetParameter(contentTypeValue);
    contentTransferEncoding = headerValue("Content-Transfer-Encoding");
    contentDisposition = headerValue("Content-Disposition");
    Subject = decodeEncodedWords(headerValue("Subject"));
    fromList = decodedAddressList(*this, "From");
    if (!fromList.empty())
        From = fromList[0];
    messageId = wrappedMessageId(headerValue("Message-Id"));
    newsgroups = headerValue("Newsgroups");
    Recipients = decodedAddressList(*this, "To");
    ccList = decodedAddressList(*this, "Cc");
    bccList = decodedAddressList(*this, "Bcc");
    organization = headerValue("Organization");
    receiptRecipient = parseAddress(firstNonEmpty(*this, "Disposition-Notification-To", "Return-Receipt-To"));
    references = headerValue("References");
    replyToList = parseAddressList(headerValue("Reply-To"));
    Date = parseMailDate(headerValue("Date"));
    sender = parseAddress(headerValue("Sender"));
    priority = priorityFromHeader(firstNonEmpty(*this, "Priority", "X-Priority"));
    boundary = contentTypeParameter(contentTypeValue, "boundary");
    encoding = hasHeader(rawHeaders, "MIME-Version") ? TIdMessageEncoding::Mime : TIdMessageEncoding::Plain;
}

} // namespace kestrin
