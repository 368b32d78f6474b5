#include "mail/encoded_word_writer.h"
#include "mail/header_folding.h"
#include "mail/header_lines.h"
#include "mail/message_layout.h"
#include "mail/message_writer.h"
#include "mail/rfc822_date.h"

namespace kestrin {
namespace {

// Normal priority writes no X-Priority line (and drops a stale one).
constexpr int kNormalPriority = 2;

bool sameItem(const TIdEMailAddressItem& a, const TIdEMailAddressItem& b)
{
    return a.Name == b.Name && a.Address == b.Address;
}

// The whole From list while its first address is still From; once From has
// been set to someone else (a forward), From alone.
std::string fromValue(const TIdMessage& message)
{
    if (!message.fromList.empty() && sameItem(message.fromList[0], message.From))
        return encodeAddressList(message.fromList);
    return message.From.empty() ? std::string() : encodeAddressItem(message.From);
}

std::string dateValue(const TIdMessage& message, HeaderPurpose purpose)
{
    // A message without date (a new answer) gets the time it is sent; the file
    // keeps "no date" so that it loads back as such.
    if (message.Date != 0)
        return rfc822Date(message.Date);
    return purpose == HeaderPurpose::Sending ? rfc822Date(localNow()) : std::string();
}

void setAddressHeaders(std::vector<std::string>& lines, const TIdMessage& message, HeaderPurpose purpose)
{
    setHeader(lines, "From", fromValue(message));
    setHeader(lines, "Subject", encodeHeaderText(message.Subject));
    setHeader(lines, "To", encodeAddressList(message.Recipients));
    setHeader(lines, "Cc", encodeAddressList(message.ccList));
    if (purpose == HeaderPurpose::Sending)
        removeHeaders(lines, "Bcc");
    else
        setHeader(lines, "Bcc", encodeAddressList(message.bccList));
}

void setContentHeaders(std::vector<std::string>& lines, const TIdMessage& message)
{
    if (message.encoding == TIdMessageEncoding::Plain) {
        setHeader(lines, "Content-Transfer-Encoding", message.contentTransferEncoding);
        setHeader(lines, "Content-Type", contentTypeValue(message));
        return;
    }
    setHeader(lines, "Content-Type", contentTypeValue(message));
    setHeader(lines, "MIME-Version", "1.0");
    setHeader(lines, "Content-Transfer-Encoding", message.contentTransferEncoding);
}

void setExtraHeaders(std::vector<std::string>& lines, const TIdMessage& message)
{
    for (const std::string& line : message.extraHeaders.lines) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos || colon == 0)
            continue;
        const size_t valueStart = line.find_first_not_of(" \t", colon + 1);
        setHeader(lines, line.substr(0, colon),
                  valueStart == std::string::npos ? std::string() : line.substr(valueStart));
    }
}

std::vector<std::string> foldedLines(const std::vector<std::string>& lines)
{
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& line : lines) {
        const std::string clean = withoutLineBreaks(line);
        // An empty line would end the header early.
        if (clean.empty())
            continue;
        for (std::string& part : foldHeaderLine(clean))
            out.push_back(std::move(part));
    }
    return out;
}

} // namespace

std::vector<std::string> generateHeaders(const TIdMessage& message, HeaderPurpose purpose)
{
    std::vector<std::string> lines = message.rawHeaders.lines;
    setAddressHeaders(lines, message, purpose);
    setHeader(lines, "Newsgroups", message.newsgroups);
    setContentHeaders(lines, message);
    setHeader(lines, "Sender", message.sender.text());
    setHeader(lines, "Reply-To", message.replyToList.text());
    setHeader(lines, "Organization", message.organization);
    setHeader(lines, "Disposition-Notification-To", message.receiptRecipient.text());
    setHeader(lines, "References", message.references);
    setHeader(lines, "Date", dateValue(message, purpose));
    setHeader(lines, "X-Priority",
              message.priority == kNormalPriority ? std::string() : std::to_string(message.priority + 1));
    // In-Reply-To has no property of its own: the received line stays as it is.
    setHeader(lines, "Message-ID", message.messageId);
    setExtraHeaders(lines, message);
    return foldedLines(lines);
}

} // namespace kestrin
