#pragma once
// The SMTP client (RFC 5321) that forwards, answers and restores messages
// through the user's one outgoing server, over a line channel that may be
// plain, TLS from the first byte, or switched to TLS by STARTTLS (RFC 3207).
#include "mail/line_channel.h"
#include "mail/line_reader.h"
#include "mail/message.h"
#include "mail/smtp_reply.h"

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

enum class SmtpAuthType { None, Login };

// Stored as the settings value SMTPSecurity: 0, 1, 2.
enum class SmtpSecurity { None = 0, Tls = 1, StartTls = 2 };

// Text that would break a command line (host, credentials, envelope address),
// refused before anything is sent.
class EIdSMTPUnsafeText : public EIdException {
public:
    using EIdException::EIdException;
};

class TIdSMTP {
public:
    explicit TIdSMTP(std::unique_ptr<LineChannel> channel);
    ~TIdSMTP();
    TIdSMTP(const TIdSMTP&) = delete;
    TIdSMTP& operator=(const TIdSMTP&) = delete;

    std::string Host;
    uint16_t Port = 25;
    std::string Username;
    std::string Password;
    SmtpAuthType AuthType = SmtpAuthType::None;
    bool UseEhlo = true;
    int ConnectTimeout = 0; // milliseconds; callers set both from MailWait
    int ReadTimeout = 0;    // milliseconds; 0 = no limit
    SmtpSecurity Security = SmtpSecurity::None;
    std::string GreetingName; // EHLO / HELO argument: the local host name

    // Username, Password and the rule for AuthType: AUTH LOGIN only with both set.
    void setCredentials(const std::string& username, const std::string& password);

    // Connects, reads the 220 greeting, says EHLO (HELO when EHLO is refused) and,
    // with StartTls, switches to TLS and says EHLO again. Any failure closes the
    // connection before the error is raised.
    void Open();
    // Authenticates once per connection when needed, then sends the message to its
    // To, Cc and Bcc addresses, or to the explicit envelope recipients.
    void SendMessage(const TIdMessage& message);
    void SendMessage(const TIdMessage& message, const std::vector<std::string>& envelopeRecipients);
    // QUIT when connected, then closes the socket in any case.
    void Close();
    bool IsConnected() const;
    // Safe from another thread: wakes a blocked connect or read (EIdAborted).
    void abort();

    const TIdReplySMTP& lastReply() const { return lastReply_; }
    const std::vector<std::string>& capabilities() const { return capabilities_; }
    bool announces(std::string_view extension) const;
    bool announcesAuthLogin() const;

private:
    void sayHello();
    void startTls();
    void authenticate();
    void sendEnvelopeAndData(const std::string& from, const std::vector<std::string>& recipients,
                             const std::string& data);
    void sendPipelined(const std::string& from, const std::vector<std::string>& recipients, const std::string& data);
    const TIdReplySMTP& readReply();
    const TIdReplySMTP& sendCommand(std::string_view line);
    void sendCommand(std::string_view line, std::initializer_list<int> expected);
    void closeQuietly();

    std::unique_ptr<LineChannel> channel_;
    LineReader reader_;
    TIdReplySMTP lastReply_;
    std::vector<std::string> capabilities_;
    bool authenticated_ = false;
};

// The local host name for EHLO; "localhost" when the platform gives none usable.
std::string localHostName();

// Throws EIdSMTPUnsafeText when an envelope address holds CR, LF, NUL, "<", ">", a space or a tab.
void checkEnvelopeAddress(const std::string& address, bool sender);

// The message as sent after DATA: every line dot-stuffed and ended by CR LF, then the "." line.
std::string smtpDataBlock(const TIdMessage& message);

} // namespace kestrin
