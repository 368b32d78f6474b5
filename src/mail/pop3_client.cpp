#include "mail/pop3_client.h"

#include "mail/message_reader.h"
#include "mail/protocol_text_check.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"
#include "text/text_split.h"

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

// A LIST size: decimal digits only, and a size some server could really hold.
int64_t listedSize(std::string_view word)
{
    if (word.empty())
        return kMessageSizeMissing;
    if (word.front() == '-' || word.front() == '+' || !isStrictDecimal(word))
        return kMessageSizeUnreadable;
    try {
        return strictIntegerInRange(word, 0, kLargestCredibleSize);
    } catch (const std::exception&) {
        return kMessageSizeUnreadable;
    }
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
    channel.setWriteTimeout(ReadTimeout);
    lastReply_ = TIdReplyPOP3();
    greeting_.clear();
    capabilities_.clear();
    try {
        channel.connect(Host, Port, ConnectTimeout, Security == Pop3Security::Tls);
        answerPending_ = true; // the greeting
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
    writeCommand("CAPA");
    if (readReply().code != kOk)
        return;
    answerPending_ = true;
    readOrGiveUp(blockLimits(MaxLineLength, kMaxCapaAnswerBytes, ReadTimeout),
                 [this](LineSource& lines) { capabilities_ = readPop3Block(lines); });
}

// Never falls back to plain text: a server that does not offer STLS fails the
// log-in before the password is sent.
void TIdPOP3::switchToTls()
{
    if (!announcesStls(capabilities_))
        throw EIdTlsError(winLiteral("Serwer nie obsługuje szyfrowania STLS!"));
    sendCommand("STLS", kOk);
    // What the server said before the handshake cannot be trusted (RFC 2595).
    reader_->clear();
    openChannel().startTls();
    askCapabilities();
}

int32_t TIdPOP3::QueryMessageCount()
{
    // "+OK" without a count is no count: reading it as 0 would hide the mailbox.
    const std::string_view count = wordAt(firstTextLine(sendCommand("STAT", kOk)), 0);
    return static_cast<int32_t>(strictIntegerInRange(count, 0, std::numeric_limits<int32_t>::max()));
}

int64_t TIdPOP3::QueryMessageSize(int n)
{
    return listedSize(wordAt(firstTextLine(sendCommand("LIST " + std::to_string(n), kOk)), 1));
}

bool TIdPOP3::FetchMessage(int n, TIdMessage& message, int64_t listedSize)
{
    writeCommand("RETR " + std::to_string(n));
    readReply();
    message.Clear();
    if (lastReply_.code != kOk)
        return false;
    const size_t maxBytes = messageAnswerBytes(listedSize);
    readAnswer(message, &readMessage, blockLimits(maxBytes, maxBytes, ReadTimeout));
    readInFull_.insert(n);
    return true;
}

bool TIdPOP3::FetchHeader(int n, TIdMessage& message)
{
    message.Clear();
    sendCommand("TOP " + std::to_string(n) + " 0", kOk);
    readAnswer(message, &readHeaderOnlyAnswer, blockLimits(kMaxHeaderAnswerBytes, kMaxHeaderAnswerBytes, ReadTimeout));
    readInFull_.insert(n);
    return true;
}

// The data lines after a "+OK" status line. Whatever stops them short of the
// "." line gives the connection up; a message the reader refuses (an
// unparsable address, say) is read to its end first, so the session stays
// usable and the refusal is raised after.
void TIdPOP3::readAnswer(TIdMessage& message, void (*reader)(TIdMessage&, LineSource&), const AnswerLimits& limits)
{
    answerPending_ = true;
    AnswerBudget budget(limits);
    ChannelLineSource lines(*reader_, budget);
    Pop3AnswerSource answer(lines);
    try {
        readToEnd(answer, message, reader);
    } catch (...) {
        if (!answer.ended())
            closeSocket();
        throw;
    }
}

void TIdPOP3::readToEnd(Pop3AnswerSource& answer, TIdMessage& message, void (*reader)(TIdMessage&, LineSource&))
{
    try {
        reader(message, answer);
    } catch (const EIdException&) {
        answer.drain();
        answerRead();
        throw;
    }
    answer.drain();
    answerRead();
}

bool TIdPOP3::MarkDeleted(int n)
{
    if (!readInFull_.contains(n))
        throw EIdNotReadInFull("Message " + std::to_string(n) + " was not read on this connection.");
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
    {
        std::lock_guard lock(channelMutex_);
        if (channels_) {
            previous = std::move(channel_); // destroyed after the lock is released
            channel_ = channels_->create();
        }
        if (!channel_)
            throw EIdNotConnected("Not connected.");
        if (aborted_)
            channel_->abort();
    }
    reader_ = std::make_unique<LineReader>(*channel_);
    answerPending_ = false;
    readInFull_.clear();
    return *channel_;
}

LineChannel& TIdPOP3::openChannel() const
{
    std::lock_guard lock(channelMutex_);
    if (!channel_)
        throw EIdNotConnected("Not connected.");
    return *channel_;
}

// One whole reply. A failure before its end leaves the connection out of step.
// After a "+OK" that opens a multi-line answer, the caller reads the rest.
const TIdReplyPOP3& TIdPOP3::readReply()
{
    if (!reader_)
        throw EIdNotConnected("Not connected.");
    readOrGiveUp(replyLimits(MaxLineLength, kMaxPop3ReplyLines, ReadTimeout),
                 [this](LineSource& lines) { lastReply_ = readPop3Reply(lines); });
    return lastReply_;
}

// Whatever stops a read short of the answer's end leaves the connection out of step.
void TIdPOP3::readOrGiveUp(const AnswerLimits& limits, const std::function<void(LineSource&)>& read)
{
    AnswerBudget budget(limits);
    ChannelLineSource lines(*reader_, budget);
    try {
        read(lines);
    } catch (...) {
        closeSocket();
        throw;
    }
    answerRead();
}

// Nothing may be written while an answer is unread: the server's next reply
// could not be told from it.
void TIdPOP3::writeCommand(const std::string& command)
{
    LineChannel& channel = openChannel();
    if (!reader_ || answerPending_ || reader_->hasUnreadBytes()) {
        closeSocket();
        throw EIdUnexpectedData("Unexpected data from the server.");
    }
    answerPending_ = true;
    try {
        channel.writeLine(command);
    } catch (...) {
        closeSocket();
        throw;
    }
}

const TIdReplyPOP3& TIdPOP3::sendCommand(const std::string& command)
{
    writeCommand(command);
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

void TIdPOP3::answerRead()
{
    answerPending_ = false;
}

// QUIT while the connection is in step, then the close, whatever fails on the way.
void TIdPOP3::closeQuietly() noexcept
{
    try {
        if (IsConnected() && !answerPending_)
            sendCommand("QUIT");
    } catch (...) {
    }
    closeSocket();
}

void TIdPOP3::closeSocket() noexcept
{
    answerPending_ = false;
    readInFull_.clear();
    if (reader_)
        reader_->clear();
    try {
        std::lock_guard lock(channelMutex_);
        if (channel_)
            channel_->close();
    } catch (...) {
    }
}

} // namespace kestrin
