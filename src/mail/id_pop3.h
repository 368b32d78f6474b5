#pragma once
// The POP3 client of the check cycle (RFC 1939, USER/PASS log-in), over a line
// channel the platform layer provides. Optional TLS from the first byte
// (POP3S) or by STLS (RFC 2595) after the greeting.
#include "mail/id_message.h"
#include "mail/id_reply_pop3.h"
#include "mail/line_channel.h"
#include "mail/pop3_answer_source.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace kestrin {

enum class Pop3Security { None, Tls, StartTls };

// The account's `ssl` text: "0" none, "1" TLS from the first byte, "2" STLS;
// anything else has no meaning (nullopt) rather than silently meaning plain text.
std::optional<Pop3Security> pop3SecurityFromText(std::string_view ssl);

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
    int ReadTimeout = 0;        // milliseconds; 0 = no limit
    size_t MaxLineLength = 16384;
    Pop3Security Security = Pop3Security::None;

    const TIdReplyPOP3& LastReply() const { return lastReply_; }
    const std::string& Greeting() const { return greeting_; }
    const std::vector<std::string>& Capabilities() const { return capabilities_; }

    // Connects, reads the greeting, asks CAPA (and STLS when asked for) and logs
    // in; on any failure the connection is closed and the error raised again.
    void Open();
    int32_t QueryMessageCount();
    // The size the server lists for message n; -1 when it gives none.
    int64_t QueryMessageSize(int n);
    // False (message cleared) when the server refuses RETR.
    bool FetchMessage(int n, TIdMessage& message);
    bool FetchHeader(int n, TIdMessage& message);
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
    const TIdReplyPOP3& sendCommand(const std::string& command);
    const TIdReplyPOP3& sendCommand(const std::string& command, const char* expectedCode);
    void expect(const char* expectedCode) const;
    void readAnswer(TIdMessage& message, void (*reader)(TIdMessage&, LineSource&));
    void closeQuietly() noexcept;
    void closeSocket() noexcept;

    LineChannelFactory* channels_ = nullptr;
    std::unique_ptr<LineChannel> channel_;
    mutable std::mutex channelMutex_; // guards channel_ replacement against Abort from another thread
    bool aborted_ = false;
    TIdReplyPOP3 lastReply_;
    std::string greeting_;
    std::vector<std::string> capabilities_;
};

} // namespace kestrin
