// The account editor's connection test against a real dovecot and aiosmtpd:
// what it tells the user, and that it never reads or deletes a message.
#include "engine/connection_check.h"
#include "peers/dovecot_peer.h"
#include "peers/loopback_port.h"
#include "peers/smtp_peer.h"
#include "platform/qt_line_channel_factory.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::DovecotPeer;
using test::SmtpPeer;

constexpr int kTimeoutMs = 10000;

class ConnectionCheckDovecot : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed (" << DovecotPeer::kProgram << ")";
        dovecot_ = std::make_unique<DovecotPeer>();
        smtp_ = std::make_unique<SmtpPeer>();
        dovecot_->deliver("alice", "From: a@example.com\nSubject: keep me\n\nbody\n");
    }

    AccountRecord account(const std::string& ssl, uint16_t pop3Port, const std::string& password) const
    {
        AccountRecord account;
        account.pop3 = "127.0.0.1";
        account.smtp = "127.0.0.1";
        account.dopo = std::to_string(pop3Port);
        account.uppo = std::to_string(smtp_->port());
        account.user = "alice";
        account.pass = password;
        account.ssl = ssl;
        return account;
    }

    ConnectionCheckResult check(const AccountRecord& account) const
    {
        AccountConnectionCheck check(account, std::make_shared<QtLineChannelFactory>(dovecot_->caFile()), kTimeoutMs);
        return check.run();
    }

    std::unique_ptr<DovecotPeer> dovecot_;
    std::unique_ptr<SmtpPeer> smtp_;
};

TEST_F(ConnectionCheckDovecot, LogsInOnlyWithTheRightPasswordAndNeverTouchesTheMailbox)
{
    const std::vector<std::string> before = dovecot_->messageFiles("alice");
    struct Case {
        const char* what;
        std::string ssl;
        uint16_t port;
        std::string password;
        bool loggedIn;
        std::string pop3Text; // UTF-8
    };
    const Case cases[] = {
        {"plain", "0", dovecot_->pop3Port(), "secret", true, "Zalogowano do serwera POP3 127.0.0.1."},
        {"TLS from the start", "1", dovecot_->pop3sPort(), "secret", true, "Zalogowano do serwera POP3 127.0.0.1."},
        {"STLS", "2", dovecot_->pop3Port(), "secret", true, "Zalogowano do serwera POP3 127.0.0.1."},
        // dovecot's own words reach the user.
        {"wrong password", "0", dovecot_->pop3Port(), "wrong", false,
         "Nie można zalogować się do serwera POP3 127.0.0.1: Authentication failed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const ConnectionCheckResult result = check(account(c.ssl, c.port, c.password));
        EXPECT_EQ(result.loggedIn, c.loggedIn);
        EXPECT_EQ(cp1250ToUtf8(result.pop3Text), c.pop3Text);
        EXPECT_TRUE(result.smtpAnswered);
        EXPECT_EQ(cp1250ToUtf8(result.smtpText), "Serwer SMTP 127.0.0.1 odpowiada.");
    }
    // Nothing fetched, nothing deleted, not even a flag changed.
    EXPECT_EQ(dovecot_->messageFiles("alice"), before);
    const std::string log = dovecot_->log();
    EXPECT_EQ(log.find("retr=1"), std::string::npos) << log;
    EXPECT_EQ(log.find("del=1"), std::string::npos) << log;
    EXPECT_NE(log.find("retr=0/0, del=0/1"), std::string::npos) << log;
    EXPECT_TRUE(smtp_->messages().empty());
}

TEST_F(ConnectionCheckDovecot, UnusablePortsAreNamedAndRefusingOnesReported)
{
    AccountRecord badPorts = account("0", 0, "secret");
    badPorts.uppo = "70000";
    const ConnectionCheckResult bad = check(badPorts);
    EXPECT_FALSE(bad.loggedIn);
    EXPECT_EQ(cp1250ToUtf8(bad.pop3Text), "Nie można zalogować się do serwera POP3 127.0.0.1: nieprawidłowy port");
    EXPECT_EQ(cp1250ToUtf8(bad.smtpText), "Serwer SMTP 127.0.0.1 nie odpowiada: nieprawidłowy port");

    AccountRecord refusing = account("0", test::freeLoopbackPort(), "secret");
    refusing.uppo = std::to_string(test::freeLoopbackPort());
    const ConnectionCheckResult refused = check(refusing);
    EXPECT_FALSE(refused.loggedIn);
    EXPECT_FALSE(refused.smtpAnswered);
    EXPECT_EQ(cp1250ToUtf8(refused.pop3Text).rfind("Nie można zalogować się do serwera POP3 127.0.0.1: ", 0), 0u);
    EXPECT_GT(refused.pop3Text.size(), std::string("Nie można zalogować się do serwera POP3 127.0.0.1: ").size());
}

} // namespace
} // namespace kestrin
