#pragma once
// "Sprawdź połączenie": whether an account's servers take it, before it is
// saved. On POP3 only the log-in and QUIT are sent (after CAPA and, when
// asked, STLS) - never a command that reads or deletes mail; on SMTP the
// greeting is read and QUIT said.
#include "mail/line_channel.h"
#include "storage/records.h"

#include <memory>
#include <mutex>
#include <string>

namespace kestrin {

class TIdPOP3;
class TIdSMTP;

struct ConnectionCheckResult {
    bool loggedIn = false;     // the POP3 server accepted user and password
    bool smtpAnswered = false; // the SMTP server greeted
    std::string pop3Text;      // Windows-1250: what to tell the user
    std::string smtpText;      // Windows-1250
};

class AccountConnectionCheck {
public:
    AccountConnectionCheck(AccountRecord account, std::shared_ptr<LineChannelFactory> channels, int timeoutMs);

    // Blocks for at most two connections' time-outs.
    ConnectionCheckResult run();
    // From any thread: a blocked connect or read ends at once, and so does run().
    void abort();

private:
    void checkPop3(ConnectionCheckResult& result);
    void checkSmtp(ConnectionCheckResult& result);
    template <typename Client> bool track(Client* client);
    template <typename Client> struct Tracked;

    AccountRecord account_;
    std::shared_ptr<LineChannelFactory> channels_;
    int timeoutMs_;
    std::mutex mutex_;
    bool aborted_ = false;
    TIdPOP3* pop3_ = nullptr;
    TIdSMTP* smtp_ = nullptr;
};

} // namespace kestrin
