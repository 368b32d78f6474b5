#include "engine/outgoing_messages.h"

#include "mail/address_parser.h"
#include "text/strict_integer.h"

namespace kestrin {
namespace {

std::vector<std::string> textLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (true) {
        const size_t lf = text.find('\n', start);
        std::string line = text.substr(start, lf == std::string::npos ? std::string::npos : lf - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        if (lf == std::string::npos)
            return lines;
        start = lf + 1;
    }
}

} // namespace

bool outgoingServerConfigured(const CycleSettings& settings)
{
    return !settings.smtpHost.empty() && !settings.smtpPort.empty() && !settings.smtpMail.empty();
}

TIdMessage forwardMessage(const TIdMessage& loaded, const TIdMessage& fetched, const std::string& smtpMail,
                          const std::string& sendTo)
{
    TIdMessage forward = loaded;
    forward.replyToList.clear();
    forward.replyToList.add(fetched.From);
    forward.From.Name = fetched.From.Name;
    forward.From.Address = smtpMail;
    forward.Recipients = parseAddressList(sendTo);
    forward.Subject = "Fw: " + fetched.Subject;
    return forward;
}

std::vector<std::string> forwardRecipients(const TIdMessage& forward)
{
    std::vector<std::string> recipients;
    for (const TIdEMailAddressItem& item : forward.Recipients.items) {
        if (!item.Address.empty())
            recipients.push_back(item.Address);
    }
    return recipients;
}

TIdMessage replyMessage(const TIdMessage& fetched, const std::string& smtpMail, const std::string& replyText)
{
    TIdMessage reply;
    reply.Body = textLines(replyText);
    reply.replyToList = fetched.Recipients;
    reply.From.Address = smtpMail;
    reply.Recipients.add(TIdEMailAddressItem{{}, fetched.From.Address});
    reply.Subject = "Re: " + fetched.Subject;
    reply.priority = 2;
    reply.extraHeaders.add("Auto-Submitted: auto-replied");
    return reply;
}

std::unique_ptr<TIdSMTP> outgoingClient(const CycleSettings& settings, LineChannelFactory& channels)
{
    const auto port = static_cast<uint16_t>(strictIntegerInRange(settings.smtpPort, 0, 65535));
    auto client = std::make_unique<TIdSMTP>(channels.create());
    client->Host = settings.smtpHost;
    client->Port = port;
    client->setCredentials(settings.smtpUser, settings.smtpPass);
    client->Security =
        static_cast<SmtpSecurity>(settings.smtpSecurity == 1 || settings.smtpSecurity == 2 ? settings.smtpSecurity : 0);
    client->ConnectTimeout = settings.mailWaitSeconds * 1000;
    client->ReadTimeout = settings.mailWaitSeconds * 1000;
    client->GreetingName = localHostName();
    return client;
}

} // namespace kestrin
