#pragma once
// The POP3 client of the check cycle (RFC 1939, USER/PASS log-in), over a line
// channel the platform layer provides. Optional TLS from the first byte
// (POP3S) or by STLS (RFC 2595) after the greeting.
//
// It never gets out of step with the server: a command is written only when
// the previous answer was read to its end and nothing else is waiting; an
// answer that cannot be read to its end (time, size, a broken line) gives the
// connection up without QUIT, so the server deletes nothing of that visit; and
// DELE is sent only for a message whose answer was read whole on this
// connection.
#include "mail/line_channel.h"
#include "mail/line_reader.h"
#include "mail/message.h"
#include "mail/pop3_answer_source.h"
#include "mail/pop3_limits.h"
#include "mail/pop3_reply.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

namespace kestrin {

enum class Pop3Security { None, Tls, StartTls };

// The account's `ssl` text: "0" none, "1" TLS from the first byte, "2" STLS;
// anything else has no meaning (nullopt) rather than silently meaning plain text.
std::optional<Pop3Security> pop3SecurityFromText(std::string_view ssl);

// DELE for a message that was not read whole on the same connection.
class EIdNotReadInFull : public EIdException {
public:
    using EIdException::EIdException;
};

class TIdPOP3 {
public:
    // A new channel from the factory for every Open.
    explicit TIdPOP3(LineChannelFactory& channels);
    // One channel for every Open.
    explicit TIdPOP3(std::unique_ptr<LineChannel> channel);
    // Closes the socket without QUIT: a session left without Close carries out no deletions.
    ~TIdPOP3();
    TIdPOP3(const TIdPOP3&) = delete;
    TIdPOP3& operator=(const TIdPOP3&) = delete;

    std::string Host;
    uint16_t Port = 110;
    std::string Username;
    std::string Password;
    int ConnectTimeout = 30000; // milliseconds
    // Milliseconds within which every reply must have arrived in full (and
    // each multi-line answer must have started); 0 = no limit.
    int ReadTimeout = 0;
    size_t MaxLineLength = 16384; // of command replies and CAPA lines
    Pop3Security Security = Pop3Security::None;

    const TIdReplyPOP3& LastReply() const { return lastReply_; }
    const std::string& Greeting() const { return greeting_; }
    const std::vector<std::string>& Capabilities() const { return capabilities_; }

    // Connects, reads the greeting, asks CAPA (and STLS when asked for) and logs
    // in; on any failure the connection is closed and the error raised again.
    void Open();
    int32_t QueryMessageCount();
    // The size the server lists for message n; kMessageSizeMissing when it
    // gives none, kMessageSizeUnreadable when what it gives is no size.
    int64_t QueryMessageSize(int n);
    // False (message cleared) when the server refuses RETR. The answer may
    // hold at most messageAnswerBytes(listedSize).
    bool FetchMessage(int n, TIdMessage& message, int64_t listedSize = kMessageSizeMissing);
    bool FetchHeader(int n, TIdMessage& message);
    // Refused (EIdNotReadInFull) unless message n was read whole or by header
    // on this connection.
    bool MarkDeleted(int n);
    bool IsConnected() const;
    // QUIT when connected (the server carries out the deletions), then closes
    // the socket in any case; a refused QUIT is raised after the close.
    void Close();
    // From any thread: wakes a blocked connect or read, which raises EIdAborted.
    // The session stays aborted: later operations raise EIdAborted too.
    void Abort();

private:
    void refuseUnsafeSettings() const;
    LineChannel& freshChannel();
    LineChannel& openChannel() const;
    void login();
    void askCapabilities();
    void switchToTls();
    const TIdReplyPOP3& readReply();
    void readOrGiveUp(const AnswerLimits& limits, const std::function<void(LineSource&)>& read);
    void writeCommand(const std::string& command);
    const TIdReplyPOP3& sendCommand(const std::string& command);
    const TIdReplyPOP3& sendCommand(const std::string& command, const char* expectedCode);
    void expect(const char* expectedCode) const;
    void readAnswer(TIdMessage& message, void (*reader)(TIdMessage&, LineSource&), const AnswerLimits& limits);
    void readToEnd(Pop3AnswerSource& answer, TIdMessage& message, void (*reader)(TIdMessage&, LineSource&));
    void answerRead();
    void closeQuietly() noexcept;
    void closeSocket() noexcept;

    LineChannelFactory* channels_ = nullptr;
    std::unique_ptr<LineChannel> channel_;
    mutable std::mutex channelMutex_; // guards channel_ replacement against Abort from another thread
    bool aborted_ = false;
    std::unique_ptr<LineReader> reader_;
    // A command was written (or the greeting is due) and its answer is not read
    // to its end yet; a failure now leaves the connection out of step.
    bool answerPending_ = false;
    std::unordered_set<int> readInFull_; // messages whose RETR/TOP answer was read whole on this connection
    TIdReplyPOP3 lastReply_;
    std::string greeting_;
    std::vector<std::string> capabilities_;
};

} // namespace kestrin
