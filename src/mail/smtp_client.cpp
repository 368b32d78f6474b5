#include "mail/smtp_client.h"

#include "mail/base64.h"
#include "mail/message_writer.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"

#include <algorithm>
#include <optional>
#include <unistd.h>

namespace kestrin {
namespace {

constexpr size_t kMaxLineLength = 16384;

bool hasLineBreakOrNul(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void refuseLineBreaks(std::string_view text, const char* message)
{
    if (hasLineBreakOrNul(text))
        throw EIdSMTPUnsafeText(winLiteral(message));
}

std::string firstWord(std::string_view line)
{
    const size_t end = line.find_first_of(" =");
    return std::string(line.substr(0, end));
}

bool isOneOf(int code, std::initializer_list<int> expected)
{
    return std::find(expected.begin(), expected.end(), code) != expected.end();
}

std::vector<std::string> messageRecipients(const TIdMessage& message)
{
    std::vector<std::string> recipients;
    for (const auto* list : {&message.Recipients, &message.ccList, &message.bccList})
        for (const auto& item : list->items)
            recipients.push_back(item.Address);
    return recipients;
}

} // namespace

std::string localHostName()
{
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0)
        return "localhost";
    const std::string host(name);
    const bool usable = !host.empty() && host.find_first_of(" \t\r\n") == std::string::npos;
    return usable ? host : "localhost";
}

void checkEnvelopeAddress(const std::string& address, bool sender)
{
    // The address goes between "<" and ">" of one command line (RFC 5321 4.1.2).
    if (address.find_first_of(std::string_view("\r\n\0<> \t", 7)) == std::string::npos)
        return;
    throw EIdSMTPUnsafeText(winLiteral(sender ? "Adres nadawcy zawiera niedozwolone znaki!"
                                              : "Adres odbiorcy zawiera niedozwolone znaki!"));
}

std::string smtpDataBlock(const TIdMessage& message)
{
    std::string block;
    for (const auto& line : dotStuff(messageLines(message, HeaderPurpose::Sending))) {
        block += line;
        block += "\r\n";
    }
    block += ".\r\n";
    return block;
}

TIdSMTP::TIdSMTP(std::unique_ptr<LineChannel> channel)
    : GreetingName(localHostName()), channel_(std::move(channel)), reader_(*channel_)
{
}

TIdSMTP::~TIdSMTP()
{
    closeQuietly();
}

void TIdSMTP::setCredentials(const std::string& username, const std::string& password)
{
    Username = username;
    Password = password;
    AuthType = username.empty() || password.empty() ? SmtpAuthType::None : SmtpAuthType::Login;
}

bool TIdSMTP::IsConnected() const
{
    return channel_->isOpen();
}

void TIdSMTP::abort()
{
    channel_->abort();
}

bool TIdSMTP::announces(std::string_view extension) const
{
    return std::any_of(capabilities_.begin(), capabilities_.end(),
                       [&](const std::string& line) { return equalsIgnoreCase(firstWord(line), extension); });
}

bool TIdSMTP::announcesAuthLogin() const
{
    // "AUTH LOGIN PLAIN", or the older "AUTH=LOGIN" some servers still send.
    for (const auto& line : capabilities_) {
        if (!equalsIgnoreCase(firstWord(line), "AUTH"))
            continue;
        std::string_view rest = std::string_view(line).substr(4);
        while (!rest.empty()) {
            const size_t start = rest.find_first_not_of(" =");
            if (start == std::string_view::npos)
                break;
            rest.remove_prefix(start);
            const size_t end = std::min(rest.find_first_of(" ="), rest.size());
            if (equalsIgnoreCase(rest.substr(0, end), "LOGIN"))
                return true;
            rest.remove_prefix(end);
        }
    }
    return false;
}

// A reply that cannot be read to its end leaves the session out of step, so
// the connection is closed rather than used for another command.
const TIdReplySMTP& TIdSMTP::readReply()
{
    AnswerBudget budget(replyLimits(kMaxLineLength, kMaxSmtpReplyLines, ReadTimeout));
    try {
        lastReply_ = readSmtpReply([this, &budget] { return reader_.readLine(budget); });
    } catch (...) {
        channel_->close();
        throw;
    }
    return lastReply_;
}

const TIdReplySMTP& TIdSMTP::sendCommand(std::string_view line)
{
    channel_->writeLine(line);
    return readReply();
}

void TIdSMTP::sendCommand(std::string_view line, std::initializer_list<int> expected)
{
    if (!isOneOf(sendCommand(line).code, expected))
        throw EIdSMTPReplyError(lastReply_);
}

void TIdSMTP::Open()
{
    refuseLineBreaks(Host, "Nazwa serwera SMTP zawiera niedozwolone znaki!");
    refuseLineBreaks(Username, "Nazwa użytkownika SMTP zawiera niedozwolone znaki!");
    refuseLineBreaks(Password, "Hasło SMTP zawiera niedozwolone znaki!");
    if (channel_->isOpen())
        throw EIdAlreadyConnected("Already connected.");
    capabilities_.clear();
    authenticated_ = false;
    reader_.clear();
    channel_->setWriteTimeout(ReadTimeout);
    channel_->connect(Host, Port, ConnectTimeout, Security == SmtpSecurity::Tls);
    try {
        if (readReply().code != 220)
            throw EIdSMTPReplyError(lastReply_);
        sayHello();
        if (Security == SmtpSecurity::StartTls)
            startTls();
    } catch (...) {
        // No QUIT: the session never got going, and a silent or broken server
        // would only make us wait once more.
        channel_->close();
        throw;
    }
}

void TIdSMTP::sayHello()
{
    const std::string name = hasLineBreakOrNul(GreetingName) || GreetingName.empty() ? "localhost" : GreetingName;
    capabilities_.clear();
    if (UseEhlo && sendCommand("EHLO " + name).code == 250) {
        capabilities_.assign(lastReply_.text.begin() + 1, lastReply_.text.end());
        return;
    }
    sendCommand("HELO " + name, {250});
}

void TIdSMTP::startTls()
{
    // Never fall back to plain text: the user asked for an encrypted session.
    if (!announces("STARTTLS"))
        throw EIdTlsError(winLiteral("Serwer nie obsługuje szyfrowania STARTTLS!"));
    sendCommand("STARTTLS", {220});
    reader_.clear();
    channel_->startTls();
    // What the server announced in plain text cannot be trusted (RFC 3207 4.2).
    sayHello();
}

void TIdSMTP::authenticate()
{
    if (authenticated_ || AuthType != SmtpAuthType::Login || Username.empty() || !announcesAuthLogin())
        return;
    sendCommand("AUTH LOGIN", {334});
    sendCommand(encodeBase64(Username), {334});
    sendCommand(encodeBase64(Password), {235});
    authenticated_ = true;
}

void TIdSMTP::SendMessage(const TIdMessage& message)
{
    SendMessage(message, messageRecipients(message));
}

void TIdSMTP::SendMessage(const TIdMessage& message, const std::vector<std::string>& envelopeRecipients)
{
    const std::string& from = message.From.Address;
    checkEnvelopeAddress(from, true);
    for (const auto& recipient : envelopeRecipients)
        checkEnvelopeAddress(recipient, false);
    if (!channel_->isOpen())
        throw EIdNotConnected("Not connected.");
    const std::string data = smtpDataBlock(message);
    authenticate();
    if (announces("PIPELINING"))
        sendPipelined(from, envelopeRecipients, data);
    else
        sendEnvelopeAndData(from, envelopeRecipients, data);
}

void TIdSMTP::sendEnvelopeAndData(const std::string& from, const std::vector<std::string>& recipients,
                                  const std::string& data)
{
    sendCommand("RSET");
    sendCommand("MAIL FROM: <" + from + ">", {250});
    for (const auto& recipient : recipients)
        sendCommand("RCPT TO:<" + recipient + ">", {250, 251});
    sendCommand("DATA", {354});
    channel_->write(data);
    if (readReply().code != 250)
        throw EIdSMTPReplyError(lastReply_);
}

void TIdSMTP::sendPipelined(const std::string& from, const std::vector<std::string>& recipients,
                            const std::string& data)
{
    // RFC 2920: the whole envelope in one write, the replies read back in order.
    std::string batch = "RSET\r\nMAIL FROM: <" + from + ">\r\n";
    for (const auto& recipient : recipients)
        batch += "RCPT TO:<" + recipient + ">\r\n";
    batch += "DATA\r\n";
    channel_->write(batch);

    std::optional<TIdReplySMTP> firstFailure;
    const auto check = [&](std::initializer_list<int> expected) {
        if (!isOneOf(readReply().code, expected) && !firstFailure)
            firstFailure = lastReply_;
    };
    readReply(); // RSET: any reply
    check({250});
    for (size_t i = 0; i < recipients.size(); ++i)
        check({250, 251});
    if (readReply().code != 354)
        throw EIdSMTPReplyError(firstFailure ? *firstFailure : lastReply_);
    if (firstFailure) {
        // The server waits for data now: end it empty so the session stays usable.
        channel_->writeLine(".");
        readReply();
        throw EIdSMTPReplyError(*firstFailure);
    }
    channel_->write(data);
    if (readReply().code != 250)
        throw EIdSMTPReplyError(lastReply_);
}

void TIdSMTP::Close()
{
    if (!channel_->isOpen()) {
        channel_->close();
        return;
    }
    bool accepted = true;
    try {
        accepted = sendCommand("QUIT").code == 221;
    } catch (const EIdException&) {
        // The connection is going away either way.
    }
    channel_->close();
    if (!accepted)
        throw EIdSMTPReplyError(lastReply_);
}

void TIdSMTP::closeQuietly()
{
    try {
        if (channel_)
            channel_->close();
    } catch (...) {
    }
}

} // namespace kestrin
