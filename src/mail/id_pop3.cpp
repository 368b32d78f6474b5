#include "mail/id_pop3.h"

#include "mail/message_reader.h"
#include "mail/protocol_text_check.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"
#include "text/text_split.h"

#include <limits>

namespace kestrin {
namespace {

constexpr const char* kOk = "+OK";

// The n-th (0-based) space-separated word of a reply text, empty when missing.
std::string_view wordAt(std::string_view text, size_t index)
{
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        start = text.find(' ', start);
        if (start == std::string_view::npos)
            return {};
        ++start;
    }
    const size_t end = text.find(' ', start);
    return text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
}

std::string_view firstTextLine(const TIdReplyPOP3& reply)
{
    return reply.text.empty() ? std::string_view() : std::string_view(reply.text.front());
}

bool announcesStls(const std::vector<std::string>& capabilities)
{
    for (const auto& line : capabilities) {
        if (equalsIgnoreCase(wordAt(line, 0), "STLS"))
            return true;
    }
    return false;
}

} // namespace

std::optional<Pop3Security> pop3SecurityFromText(std::string_view ssl)
{
    if (ssl == "0")
        return Pop3Security::None;
    if (ssl == "1")
        return Pop3Security::Tls;
    if (ssl == "2")
        return Pop3Security::StartTls;
    return std::nullopt;
}

TIdPOP3::TIdPOP3(LineChannelFactory& channels) : channels_(&channels)
{
}

TIdPOP3::TIdPOP3(std::unique_ptr<LineChannel> channel) : channel_(std::move(channel))
{
}

TIdPOP3::~TIdPOP3()
{
    closeSocket();
}

void TIdPOP3::Open()
{
    if (IsConnected())
        throw EIdAlreadyConnected("Already connected.");
    refuseUnsafeSettings();
    LineChannel& channel = freshChannel();
    channel.setReadTimeout(ReadTimeout);
    channel.setMaxLineLength(MaxLineLength);
    lastReply_ = TIdReplyPOP3();
    greeting_.clear();
    capabilities_.clear();
    try {
        channel.connect(Host, Port, ConnectTimeout, Security == Pop3Security::Tls);
        login();
    } catch (...) {
        closeQuietly();
        throw;
    }
}

void TIdPOP3::login()
{
    readReply();
    expect(kOk);
    greeting_ = std::string(firstTextLine(lastReply_));
    askCapabilities();
    if (Security == Pop3Security::StartTls)
        switchToTls();
    sendCommand("USER " + Username, kOk);
    sendCommand("PASS " + Password, kOk);
}

// A server without CAPA (RFC 2449 came later) answers -ERR; that is no failure.
void TIdPOP3::askCapabilities()
{
    capabilities_.clear();
    if (sendCommand("CAPA").code != kOk)
        return;
    ChannelLineSource lines(openChannel());
    capabilities_ = readPop3Block(lines);
}

// Never falls back to plain text: a server that does not offer STLS fails the
// log-in before the password is sent.
void TIdPOP3::switchToTls()
{
    if (!announcesStls(capabilities_))
        throw EIdTlsError(winLiteral("Serwer nie obsługuje szyfrowania STLS!"));
    sendCommand("STLS", kOk);
    openChannel().startTls();
    // What the server said before the handshake cannot be trusted (RFC 2595).
    askCapabilities();
}

int32_t TIdPOP3::QueryMessageCount()
{
    const std::string_view count = wordAt(firstTextLine(sendCommand("STAT", kOk)), 0);
    return count.empty() ? 0 : strictInteger(count);
}

int64_t TIdPOP3::QueryMessageSize(int n)
{
    const std::string_view size = wordAt(firstTextLine(sendCommand("LIST " + std::to_string(n), kOk)), 1);
    if (size.empty() || size.front() == '-' || size.front() == '+' || !isStrictDecimal(size))
        return -1;
    try {
        return strictIntegerInRange(size, 0, std::numeric_limits<int64_t>::max());
    } catch (const std::exception&) {
        return -1; // too large to be a size
    }
}

bool TIdPOP3::FetchMessage(int n, TIdMessage& message)
{
    sendCommand("RETR " + std::to_string(n));
    message.Clear();
    if (lastReply_.code != kOk)
        return false;
    readAnswer(message, &readMessage);
    return true;
}

bool TIdPOP3::FetchHeader(int n, TIdMessage& message)
{
    message.Clear();
    sendCommand("TOP " + std::to_string(n) + " 0", kOk);
    readAnswer(message, &readHeaderOnlyAnswer);
    return true;
}

// A message the reader refuses (an unparsable address, say) must not leave the
// rest of the answer unread: the next command would read it as its reply.
void TIdPOP3::readAnswer(TIdMessage& message, void (*reader)(TIdMessage&, LineSource&))
{
    ChannelLineSource lines(openChannel());
    Pop3AnswerSource answer(lines);
    try {
        reader(message, answer);
    } catch (const EIdException&) {
        answer.drain();
        throw;
    }
    answer.drain();
}

bool TIdPOP3::MarkDeleted(int n)
{
    sendCommand("DELE " + std::to_string(n), kOk);
    return true;
}

bool TIdPOP3::IsConnected() const
{
    std::lock_guard lock(channelMutex_);
    return channel_ && channel_->isOpen();
}

void TIdPOP3::Close()
{
    if (IsConnected()) {
        try {
            sendCommand("QUIT", kOk);
        } catch (...) {
            closeSocket();
            throw;
        }
    }
    closeSocket();
}

void TIdPOP3::Abort()
{
    std::lock_guard lock(channelMutex_);
    aborted_ = true;
    if (channel_)
        channel_->abort();
}

void TIdPOP3::refuseUnsafeSettings() const
{
    refuseLineBreaks(Host, winLiteral("Nazwa serwera POP3 zawiera niedozwolone znaki!"));
    refuseLineBreaks(Username, winLiteral("Nazwa użytkownika zawiera niedozwolone znaki!"));
    refuseLineBreaks(Password, winLiteral("Hasło zawiera niedozwolone znaki!"));
}

LineChannel& TIdPOP3::freshChannel()
{
    std::unique_ptr<LineChannel> previous;
    std::lock_guard lock(channelMutex_);
    if (channels_) {
        previous = std::move(channel_); // destroyed after the lock is released
        channel_ = channels_->create();
    }
    if (!channel_)
        throw EIdNotConnected("Not connected.");
    if (aborted_)
        channel_->abort();
    return *channel_;
}

LineChannel& TIdPOP3::openChannel() const
{
    std::lock_guard lock(channelMutex_);
    if (!channel_)
        throw EIdNotConnected("Not connected.");
    return *channel_;
}

const TIdReplyPOP3& TIdPOP3::readReply()
{
    ChannelLineSource lines(openChannel());
    lastReply_ = readPop3Reply(lines);
    return lastReply_;
}

const TIdReplyPOP3& TIdPOP3::sendCommand(const std::string& command)
{
    openChannel().writeLine(command);
    return readReply();
}

const TIdReplyPOP3& TIdPOP3::sendCommand(const std::string& command, const char* expectedCode)
{
    sendCommand(command);
    expect(expectedCode);
    return lastReply_;
}

void TIdPOP3::expect(const char* expectedCode) const
{
    if (lastReply_.code != expectedCode)
        throw EIdReplyPOP3Error(lastReply_);
}

// QUIT while the socket is open, then the close, whatever fails on the way.
void TIdPOP3::closeQuietly() noexcept
{
    try {
        if (IsConnected()) {
            openChannel().writeLine("QUIT");
            readReply();
        }
    } catch (...) {
    }
    closeSocket();
}

void TIdPOP3::closeSocket() noexcept
{
    try {
        std::lock_guard lock(channelMutex_);
        if (channel_)
            channel_->close();
    } catch (...) {
    }
}

} // namespace kestrin
