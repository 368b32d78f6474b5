// The SMTP client's exact conversation against scripted loopback servers.
#include "mail/message_writer.h"
#include "mail/smtp_client.h"
#include "peers/scripted_server.h"
#include "platform/qt_line_channel.h"
#include "text/cp1250.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace kestrin {
namespace {

using test::ScriptedServer;
using Script = std::vector<std::string>;

constexpr int kTimeoutMs = 5000;
// What the scripted server reports when the client hung up instead of sending more.
const std::string kClientHungUp = "expected \"\", the client sent nothing more";

std::unique_ptr<TIdSMTP> clientFor(const ScriptedServer& server)
{
    auto smtp = std::make_unique<TIdSMTP>(std::make_unique<QtLineChannel>());
    smtp->Host = "127.0.0.1";
    smtp->Port = server.port();
    smtp->ConnectTimeout = kTimeoutMs;
    smtp->ReadTimeout = kTimeoutMs;
    smtp->GreetingName = "client.test";
    return smtp;
}

TIdMessage messageWithBody(std::vector<std::string> body)
{
    TIdMessage message;
    message.From = {"Nadawca", "a@b"};
    message.Recipients.add({"", "c@d"});
    message.Subject = "Test";
    message.Date = encodeDateTime({2025, 3, 7, 14, 5, 9, 0}); // a fixed Date header, so the script can spell it
    message.Body = std::move(body);
    return message;
}

Script operator+(Script a, const Script& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Script greetingAndEhlo(const Script& extensions)
{
    Script rows{"S: 220 fake.test ESMTP", "C: EHLO client.test"};
    if (extensions.empty())
        return rows + Script{"S: 250 fake.test"};
    rows.push_back("S: 250-fake.test");
    for (size_t i = 0; i + 1 < extensions.size(); ++i)
        rows.push_back("S: 250-" + extensions[i]);
    rows.push_back("S: 250 " + extensions.back());
    return rows;
}

// The lines after DATA, as the writer makes them, dot-stuffed, then the "." line and its 250.
Script dataRows(const TIdMessage& message)
{
    Script rows;
    for (const auto& line : dotStuff(messageLines(message, HeaderPurpose::Sending)))
        rows.push_back("C: " + line);
    return rows + Script{"C: .", "S: 250 2.0.0 queued"};
}

Script plainTransaction(const TIdMessage& message)
{
    return Script{"C: RSET",   "S: 250 ok", "C: MAIL FROM: <a@b>", "S: 250 ok", "C: RCPT TO:<c@d>",
                  "S: 250 ok", "C: DATA",   "S: 354 go ahead"} +
           dataRows(message);
}

const Script kQuit{"C: QUIT", "S: 221 bye"};

TEST(SmtpSession, AuthenticatesOnlyWithBothCredentialsAndAnAnnouncedLogin)
{
    const TIdMessage message = messageWithBody({"Hello"});
    {
        // SMTPUser set, SMTPPass empty: the rule gives no authentication at all.
        ScriptedServer server(greetingAndEhlo({"AUTH LOGIN PLAIN"}) + plainTransaction(message) + kQuit);
        auto smtp = clientFor(server);
        smtp->setCredentials("user", "");
        EXPECT_EQ(smtp->AuthType, SmtpAuthType::None);
        smtp->Open();
        smtp->SendMessage(message);
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
    {
        // Both set, but the server offers no AUTH line: sent without authentication.
        ScriptedServer server(greetingAndEhlo({"8BITMIME", "SIZE 1000000"}) + plainTransaction(message) + kQuit);
        auto smtp = clientFor(server);
        smtp->setCredentials("user", "secret");
        EXPECT_EQ(smtp->AuthType, SmtpAuthType::Login);
        smtp->Open();
        smtp->SendMessage(message);
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
    {
        // The older "AUTH=LOGIN" form counts; a second message on the same connection does not log in again.
        ScriptedServer server(greetingAndEhlo({"AUTH=PLAIN LOGIN"}) +
                              Script{"C: AUTH LOGIN", "S: 334 VXNlcm5hbWU6", "C: dXNlcg==", "S: 334 UGFzc3dvcmQ6",
                                     "C: c2VjcmV0", "S: 235 2.7.0 Authentication successful"} +
                              plainTransaction(message) + plainTransaction(message) + kQuit);
        auto smtp = clientFor(server);
        smtp->setCredentials("user", "secret");
        smtp->Open();
        EXPECT_TRUE(smtp->announcesAuthLogin());
        smtp->SendMessage(message);
        smtp->SendMessage(message);
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
    {
        // A refused password stops before the envelope.
        ScriptedServer server(greetingAndEhlo({"AUTH LOGIN"}) +
                              Script{"C: AUTH LOGIN", "S: 334 VXNlcm5hbWU6", "C: dXNlcg==", "S: 334 UGFzc3dvcmQ6",
                                     "C: d3Jvbmc=", "S: 535 5.7.8 Authentication credentials invalid"} +
                              kQuit);
        auto smtp = clientFor(server);
        smtp->setCredentials("user", "wrong");
        smtp->Open();
        try {
            smtp->SendMessage(message);
            ADD_FAILURE() << "no error";
        } catch (const EIdSMTPReplyError& error) {
            EXPECT_STREQ(error.what(), "5.7.8 Authentication credentials invalid\r\n");
        }
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
}

TEST(SmtpSession, HeloAfterARefusedEhloAndMultiLineReplies)
{
    const TIdMessage message = messageWithBody({"Hello"});
    ScriptedServer server(
        Script{"S: 220-fake.test ESMTP", "S: 220-second greeting line", "S: 220 third", "C: EHLO client.test",
               "S: 502 5.5.1 command not implemented", "C: HELO client.test", "S: 250 fake.test"} +
        Script{"C: RSET", "S: 250 ok", "C: MAIL FROM: <a@b>", "S: 250-ok", "S: 250 really ok", "C: RCPT TO:<c@d>",
               "S: 251-forwarding", "S: 251 to elsewhere", "C: DATA", "S: 354-go", "S: 354 ahead"} +
        dataRows(message) + kQuit);
    auto smtp = clientFor(server);
    smtp->setCredentials("user", "secret");
    smtp->Open();
    EXPECT_TRUE(smtp->capabilities().empty()); // HELO announces nothing, so no AUTH either
    smtp->SendMessage(message);
    smtp->Close();
    EXPECT_FALSE(smtp->IsConnected());
    EXPECT_EQ(server.finish(), Script{});

    // EHLO and HELO both refused: the error, and the connection is closed.
    ScriptedServer refusing(
        {"S: 220 fake.test", "C: EHLO client.test", "S: 500 no", "C: HELO client.test", "S: 501 5.5.4 go away", "C~"});
    auto other = clientFor(refusing);
    try {
        other->Open();
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_STREQ(error.what(), "5.5.4 go away\r\n");
        EXPECT_EQ(error.reply().enhancedCode, "5.5.4");
    }
    EXPECT_FALSE(other->IsConnected());
    EXPECT_EQ(refusing.finish(), Script{kClientHungUp});
}

TEST(SmtpSession, EnvelopeSpellingRecipientsAndDotStuffing)
{
    TIdMessage message = messageWithBody({"first", ".", ".hidden", "", "..two", "last"});
    message.ccList.add({"Kopia", "e@f"});
    message.bccList.add({"", "g@h"});
    const Script envelope{
        "C: RSET",          "S: 250 ok", "C: MAIL FROM: <a@b>", "S: 250 ok", "C: RCPT TO:<c@d>", "S: 250 ok",
        "C: RCPT TO:<e@f>", "S: 250 ok", "C: RCPT TO:<g@h>",    "S: 250 ok", "C: DATA",          "S: 354 go ahead"};
    const Script explicitEnvelope{"C: RSET",   "S: 250 ok", "C: MAIL FROM: <a@b>", "S: 250 ok", "C: RCPT TO:<me@x>",
                                  "S: 250 ok", "C: DATA",   "S: 354 go ahead"};
    ScriptedServer server(greetingAndEhlo({"8BITMIME"}) + envelope + dataRows(message) + explicitEnvelope +
                          dataRows(message) + kQuit);
    auto smtp = clientFor(server);
    smtp->Open();
    smtp->SendMessage(message);                                   // To, Cc, then Bcc
    smtp->SendMessage(message, std::vector<std::string>{"me@x"}); // the explicit list replaces them
    smtp->Close();
    EXPECT_EQ(server.finish(), Script{});

    // Independently of the writer: the body's dot lines went out doubled, the Bcc header not at all.
    const auto& sent = server.received();
    const auto count = [&](const std::string& line) { return std::count(sent.begin(), sent.end(), line); };
    EXPECT_EQ(count(".."), 2);
    EXPECT_EQ(count("..hidden"), 2);
    EXPECT_EQ(count("...two"), 2);
    EXPECT_EQ(count("."), 2); // only the two end-of-data lines
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const std::string& l) { return l.rfind("Bcc:", 0) == 0; }), 0);
}

TEST(SmtpSession, RefusedRecipientAbortsTheSend)
{
    const TIdMessage message = messageWithBody({"Hello"});
    ScriptedServer server(greetingAndEhlo({"8BITMIME"}) +
                          Script{"C: RSET", "S: 250 ok", "C: MAIL FROM: <a@b>", "S: 250 ok", "C: RCPT TO:<c@d>",
                                 "S: 550 5.1.1 <c@d>: Recipient address rejected"} +
                          kQuit);
    auto smtp = clientFor(server);
    smtp->Open();
    try {
        smtp->SendMessage(message);
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_STREQ(error.what(), "5.1.1 <c@d>: Recipient address rejected\r\n");
        EXPECT_EQ(error.reply().code, 550);
    }
    smtp->Close(); // no DATA was sent: the next line the server sees is QUIT
    EXPECT_EQ(server.finish(), Script{});
}

TEST(SmtpSession, PipelinedBatchEndsTheDataAndRaisesTheFirstFailure)
{
    TIdMessage message = messageWithBody({"Hello"});
    message.ccList.add({"", "e@f"});
    const Script batch{"C: RSET", "C: MAIL FROM: <a@b>", "C: RCPT TO:<c@d>", "C: RCPT TO:<e@f>", "C: DATA"};
    {
        // One refused recipient: DATA still says 354, so "." ends an empty message before the error.
        ScriptedServer server(greetingAndEhlo({"PIPELINING", "8BITMIME"}) + batch +
                              Script{"S~ 250 ok\r\n250 ok\r\n550 5.1.1 no such user\r\n250 ok\r\n354 go ahead\r\n",
                                     "C: .", "S: 250 empty message dropped"} +
                              kQuit);
        auto smtp = clientFor(server);
        smtp->Open();
        try {
            smtp->SendMessage(message);
            ADD_FAILURE() << "no error";
        } catch (const EIdSMTPReplyError& error) {
            EXPECT_STREQ(error.what(), "5.1.1 no such user\r\n");
        }
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
    {
        // DATA refused: the earlier failure is the one reported, and no "." is sent.
        ScriptedServer server(greetingAndEhlo({"PIPELINING"}) + batch +
                              Script{"S~ 250 ok\r\n451 4.3.0 sender deferred\r\n554 no\r\n554 no\r\n554 no valid "
                                     "recipients\r\n"} +
                              kQuit);
        auto smtp = clientFor(server);
        smtp->Open();
        EXPECT_THROW(
            {
                try {
                    smtp->SendMessage(message);
                } catch (const EIdSMTPReplyError& error) {
                    EXPECT_STREQ(error.what(), "4.3.0 sender deferred\r\n");
                    throw;
                }
            },
            EIdSMTPReplyError);
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
    {
        // All accepted: the message follows the batch.
        ScriptedServer server(greetingAndEhlo({"PIPELINING"}) + batch +
                              Script{"S~ 250 ok\r\n250 ok\r\n250 ok\r\n251 ok\r\n354 go ahead\r\n"} +
                              dataRows(message) + kQuit);
        auto smtp = clientFor(server);
        smtp->Open();
        smtp->SendMessage(message);
        smtp->Close();
        EXPECT_EQ(server.finish(), Script{});
    }
}

TEST(SmtpSession, RefusedGreetingAndSilentServerCloseTheConnection)
{
    ScriptedServer refusing({"S: 554 5.3.2 no service here", "C~"});
    auto smtp = clientFor(refusing);
    try {
        smtp->Open();
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_STREQ(error.what(), "5.3.2 no service here\r\n");
    }
    EXPECT_FALSE(smtp->IsConnected());
    EXPECT_EQ(refusing.finish(), Script{kClientHungUp});
    EXPECT_TRUE(refusing.received().empty());
    EXPECT_THROW(smtp->SendMessage(messageWithBody({"x"})), EIdNotConnected);
    smtp->Close(); // nothing to say goodbye to

    ScriptedServer silent({"S: 220 fake.test", "C: EHLO client.test", "WAIT 1500", "C~"});
    auto waiting = clientFor(silent);
    waiting->ReadTimeout = 300;
    try {
        waiting->Open();
        ADD_FAILURE() << "no error";
    } catch (const EIdReadTimeout& error) {
        EXPECT_STREQ(error.what(), "Read Timeout");
    }
    EXPECT_FALSE(waiting->IsConnected());
    EXPECT_EQ(silent.finish(), Script{kClientHungUp});
}

TEST(SmtpSession, QuitIsCheckedAndAnAbortWakesABlockedRead)
{
    ScriptedServer grumpy(greetingAndEhlo({"8BITMIME"}) + Script{"C: QUIT", "S: 500 5.5.2 what"});
    auto smtp = clientFor(grumpy);
    smtp->Open();
    EXPECT_THROW(smtp->Close(), EIdSMTPReplyError);
    EXPECT_FALSE(smtp->IsConnected()); // closed in any case
    EXPECT_EQ(grumpy.finish(), Script{});

    // A server that hung up before QUIT: the goodbye cannot fail.
    ScriptedServer gone(greetingAndEhlo({"8BITMIME"}) + Script{"CLOSE"});
    auto other = clientFor(gone);
    other->Open();
    EXPECT_EQ(gone.finish(), Script{});
    EXPECT_NO_THROW(other->Close());
    EXPECT_FALSE(other->IsConnected());

    // Stopping the program: abort from another thread ends a read that would wait for ever.
    ScriptedServer silent({"WAIT 3000"});
    auto waiting = clientFor(silent);
    waiting->ReadTimeout = 0;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        waiting->abort();
    });
    EXPECT_THROW(waiting->Open(), EIdAborted); // not the hang-up that ends the server's wait
    stopper.join();
    EXPECT_FALSE(waiting->IsConnected());
}

TEST(SmtpSession, StartTlsThatIsNotAnnouncedIsRefusedWithoutFallback)
{
    ScriptedServer server(greetingAndEhlo({"AUTH LOGIN", "PIPELINING"}) + Script{"C~"});
    auto smtp = clientFor(server);
    smtp->Security = SmtpSecurity::StartTls;
    smtp->setCredentials("user", "secret");
    try {
        smtp->Open();
        ADD_FAILURE() << "no error";
    } catch (const EIdTlsError& error) {
        EXPECT_EQ(error.what(), winLiteral("Serwer nie obsługuje szyfrowania STARTTLS!"));
    }
    EXPECT_FALSE(smtp->IsConnected());
    EXPECT_EQ(server.finish(), Script{kClientHungUp});
    EXPECT_EQ(server.received(), Script{"EHLO client.test"}); // no credentials, no mail in plain text
}

TEST(SmtpSession, UnsafeTextIsRefusedBeforeAnythingIsSent)
{
    // Host and credentials: refused before connecting (nobody listens on port 1 either).
    TIdSMTP smtp(std::make_unique<QtLineChannel>());
    smtp.Port = 1;
    smtp.Host = "127.0.0.1\r\nRSET";
    EXPECT_THROW(smtp.Open(), EIdSMTPUnsafeText);
    smtp.Host = "127.0.0.1";
    smtp.setCredentials("user\nname", "secret");
    EXPECT_THROW(smtp.Open(), EIdSMTPUnsafeText);
    smtp.setCredentials("user", std::string("sec\0ret", 7));
    EXPECT_THROW(smtp.Open(), EIdSMTPUnsafeText);

    // Envelope addresses: refused after the connection is open, and nothing of the transaction goes out.
    ScriptedServer server(greetingAndEhlo({"PIPELINING"}) + kQuit);
    auto client = clientFor(server);
    client->Open();
    TIdMessage message = messageWithBody({"x"});
    message.From.Address = "a@b>\r\nRCPT TO:<victim@x";
    EXPECT_THROW(client->SendMessage(message), EIdSMTPUnsafeText);
    message.From.Address = "a@b";
    for (const std::string bad : {"c@d\r", "c@d\n", "c@d>", "<c@d", "c @d", "c@d\t"})
        EXPECT_THROW(client->SendMessage(message, std::vector<std::string>{"ok@x", bad}), EIdSMTPUnsafeText) << bad;
    message.bccList.add({"", "hidden@x\r\nDATA"});
    EXPECT_THROW(client->SendMessage(message), EIdSMTPUnsafeText);
    try {
        client->SendMessage(message);
    } catch (const EIdSMTPUnsafeText& error) {
        EXPECT_EQ(error.what(), winLiteral("Adres odbiorcy zawiera niedozwolone znaki!"));
    }
    client->Close();
    EXPECT_EQ(server.finish(), Script{});
    EXPECT_EQ(server.received(), (Script{"EHLO client.test", "QUIT"}));
}

} // namespace
} // namespace kestrin
