#include "engine/connection_check.h"

#include "engine/account_fields.h"
#include "mail/mail_errors.h"
#include "mail/pop3_client.h"
#include "mail/smtp_client.h"
#include "text/convert_error.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"

#include <stdexcept>
#include <type_traits>

namespace kestrin {
namespace {

// A reply's text may end in a line break; the box shows it on one line.
std::string reasonOf(const std::exception& failure)
{
    std::string reason = failure.what();
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
        reason.pop_back();
    return reason;
}

} // namespace

AccountConnectionCheck::AccountConnectionCheck(AccountRecord account, std::shared_ptr<LineChannelFactory> channels,
                                               int timeoutMs)
    : account_(std::move(account)), channels_(std::move(channels)), timeoutMs_(timeoutMs)
{
}

ConnectionCheckResult AccountConnectionCheck::run()
{
    ConnectionCheckResult result;
    checkPop3(result);
    checkSmtp(result);
    return result;
}

void AccountConnectionCheck::abort()
{
    const std::lock_guard<std::mutex> lock(mutex_);
    aborted_ = true;
    if (pop3_ != nullptr)
        pop3_->Abort();
    if (smtp_ != nullptr)
        smtp_->abort();
}

// Registers the client abort() must reach; false once aborted, so a check
// aborted between two connections opens no more.
template <typename Client> bool AccountConnectionCheck::track(Client* client)
{
    const std::lock_guard<std::mutex> lock(mutex_);
    if constexpr (std::is_same_v<Client, TIdPOP3>)
        pop3_ = client;
    else
        smtp_ = client;
    return !aborted_;
}

// Unregisters the client on every way out of the scope that uses it.
template <typename Client> struct AccountConnectionCheck::Tracked {
    AccountConnectionCheck& check;
    Client& client;
    bool wanted = check.track(&client);
    ~Tracked() { check.track<Client>(nullptr); }
};

namespace {

// A port the form's text cannot name: the reason given instead of a connection.
class BadPort : public std::runtime_error {
public:
    BadPort() : std::runtime_error(winLiteral("nieprawidłowy port")) {}
};

uint16_t usablePort(const std::string& text)
{
    const std::optional<uint16_t> port = accountPort(text);
    if (!port || *port == 0)
        throw BadPort();
    return *port;
}

} // namespace

void AccountConnectionCheck::checkPop3(ConnectionCheckResult& result)
{
    const std::string server = winLiteral("serwera POP3 ") + account_.pop3;
    try {
        TIdPOP3 client(*channels_);
        client.Host = account_.pop3;
        client.Port = usablePort(account_.dopo);
        const std::optional<Pop3Security> security = pop3SecurityFromText(account_.ssl);
        if (!security)
            throw std::runtime_error(winLiteral("nieznany rodzaj szyfrowania"));
        client.Security = *security;
        client.Username = account_.user;
        client.Password = account_.pass;
        client.ConnectTimeout = timeoutMs_;
        client.ReadTimeout = timeoutMs_;
        const Tracked<TIdPOP3> tracked{*this, client};
        if (!tracked.wanted)
            throw EIdAborted("aborted");
        client.Open();
        client.Close();
        result.loggedIn = true;
        result.pop3Text = winLiteral("Zalogowano do ") + server + ".";
    } catch (const std::exception& failure) {
        result.pop3Text = winLiteral("Nie można zalogować się do ") + server + ": " + reasonOf(failure);
    }
}

void AccountConnectionCheck::checkSmtp(ConnectionCheckResult& result)
{
    const std::string server = winLiteral("Serwer SMTP ") + account_.smtp;
    try {
        TIdSMTP client(channels_->create());
        client.Host = account_.smtp;
        client.Port = usablePort(account_.uppo);
        client.ConnectTimeout = timeoutMs_;
        client.ReadTimeout = timeoutMs_;
        client.GreetingName = localHostName();
        const Tracked<TIdSMTP> tracked{*this, client};
        if (!tracked.wanted)
            throw EIdAborted("aborted");
        client.Open();
        client.Close();
        result.smtpAnswered = true;
        result.smtpText = server + winLiteral(" odpowiada.");
    } catch (const std::exception& failure) {
        result.smtpText = server + winLiteral(" nie odpowiada: ") + reasonOf(failure);
    }
}

} // namespace kestrin
