// The SMTP client against a real server (aiosmtpd): envelopes, AUTH LOGIN,
// STARTTLS and implicit TLS with a test CA, and messages that keep what
// matters after being sent and parsed again.
#include "mail/smtp_client.h"
#include "peers/smtp_peer.h"
#include "peers/test_certificates.h"
#include "platform/qt_line_channel.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kestrin {
namespace {

using test::SmtpPeer;
using test::SmtpPeerOptions;
using test::TestCertificates;

constexpr int kTimeoutMs = 10000;
const std::string kUser = "tester";
const std::string kPassword = "s3cret";

std::unique_ptr<TIdSMTP> clientFor(const SmtpPeer& peer, const std::string& caFile = {},
                                   SmtpSecurity security = SmtpSecurity::None)
{
    auto smtp = std::make_unique<TIdSMTP>(std::make_unique<QtLineChannel>(caFile));
    smtp->Host = "127.0.0.1";
    smtp->Port = peer.port();
    smtp->ConnectTimeout = kTimeoutMs;
    smtp->ReadTimeout = kTimeoutMs;
    smtp->Security = security;
    return smtp;
}

TIdMessage addressedMessage()
{
    TIdMessage message;
    message.From = {"Pawe\xB3 Nadawca", "pawel@example.pl"}; // "Paweł" in Windows-1250
    message.Recipients.add({"Odbiorca", "to@example.pl"});
    message.ccList.add({"", "cc@example.pl"});
    message.bccList.add({"Ukryty", "hidden@example.pl"});
    message.Subject = "Envelope test";
    message.Body = {"First line", ".", "Last line"};
    return message;
}

void sendOne(TIdSMTP& smtp, const TIdMessage& message)
{
    smtp.Open();
    smtp.SendMessage(message);
    smtp.Close();
}

TEST(SmtpPeer, EnvelopeCarriesBccWhichTheDataDoesNotShow)
{
    SmtpPeer peer({kUser, kPassword});
    auto smtp = clientFor(peer);
    smtp->setCredentials(kUser, kPassword);
    sendOne(*smtp, addressedMessage());
    EXPECT_FALSE(smtp->IsConnected());

    const auto stored = peer.messages();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].mailFrom, "pawel@example.pl");
    EXPECT_EQ(stored[0].rcptTos, (std::vector<std::string>{"to@example.pl", "cc@example.pl", "hidden@example.pl"}));
    EXPECT_EQ(stored[0].data.find("hidden@example.pl"), std::string::npos);
    EXPECT_EQ(stored[0].data.find("Bcc"), std::string::npos);
    EXPECT_NE(stored[0].data.find("\r\nSubject: Envelope test\r\n"), std::string::npos);
    EXPECT_NE(stored[0].data.find("\r\n\r\nFirst line\r\n.\r\nLast line\r\n"), std::string::npos); // "." came through
}

TEST(SmtpPeer, AuthLoginIsRequiredAndAWrongPasswordRaises)
{
    SmtpPeer peer({kUser, kPassword});
    auto wrong = clientFor(peer);
    wrong->setCredentials(kUser, "not-it");
    wrong->Open();
    try {
        wrong->SendMessage(addressedMessage());
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_EQ(error.reply().code, 535);
    }
    wrong->Close();

    // No password: no AUTH is tried, so this server refuses the envelope.
    auto anonymous = clientFor(peer);
    anonymous->setCredentials(kUser, "");
    anonymous->Open();
    try {
        anonymous->SendMessage(addressedMessage());
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_EQ(error.reply().code, 530);
    }
    anonymous->Close();

    // The right password, twice on one connection (one AUTH).
    auto right = clientFor(peer);
    right->setCredentials(kUser, kPassword);
    right->Open();
    right->SendMessage(addressedMessage());
    right->SendMessage(addressedMessage(), std::vector<std::string>{"me@example.pl"});
    right->Close();
    const auto stored = peer.messages();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].rcptTos, std::vector<std::string>{"me@example.pl"});
}

TEST(SmtpPeer, PipelinedSendsAndARefusedRecipient)
{
    SmtpPeerOptions options;
    options.pipelining = true;
    SmtpPeer peer(options);
    auto smtp = clientFor(peer);
    smtp->Open();
    ASSERT_TRUE(smtp->announces("PIPELINING"));
    smtp->SendMessage(addressedMessage());
    TIdMessage refused = addressedMessage();
    refused.ccList.add({"", "nobody@refused.test"});
    try {
        smtp->SendMessage(refused);
        ADD_FAILURE() << "no error";
    } catch (const EIdSMTPReplyError& error) {
        EXPECT_STREQ(error.what(), "5.1.1 No such user here\r\n");
    }
    smtp->SendMessage(addressedMessage()); // the session is still in step
    smtp->Close();

    const auto stored = peer.messages();
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].rcptTos.size(), 3u);
    EXPECT_EQ(stored[1].data, ""); // the empty message that closed the refused transaction
    EXPECT_EQ(stored[2].data, stored[0].data);
}

TEST(SmtpPeer, StartTlsAndImplicitTlsWithTheTestAuthority)
{
    test::TemporaryFolder folder;
    const TestCertificates certificates = test::makeTestCertificates(folder.path());
    {
        SmtpPeerOptions options{kUser, kPassword, SmtpPeerOptions::Security::StartTls, &certificates};
        SmtpPeer peer(options);
        auto smtp = clientFor(peer, certificates.caFile, SmtpSecurity::StartTls);
        smtp->setCredentials(kUser, kPassword);
        sendOne(*smtp, addressedMessage()); // AUTH is offered by this server only after the switch
        EXPECT_EQ(peer.messages().size(), 1u);

        // Without the test CA the certificate cannot be verified: an error, never plain text.
        auto untrusting = clientFor(peer, {}, SmtpSecurity::StartTls);
        EXPECT_THROW(untrusting->Open(), EIdTlsError);
        EXPECT_FALSE(untrusting->IsConnected());
        EXPECT_EQ(peer.messages().size(), 1u);
    }
    {
        SmtpPeerOptions options{kUser, kPassword, SmtpPeerOptions::Security::Tls, &certificates};
        SmtpPeer peer(options);
        auto smtp = clientFor(peer, certificates.caFile, SmtpSecurity::Tls);
        smtp->setCredentials(kUser, kPassword);
        sendOne(*smtp, addressedMessage());
        const auto stored = peer.messages();
        ASSERT_EQ(stored.size(), 1u);
        EXPECT_EQ(stored[0].rcptTos.size(), 3u);

        // A plain client on the TLS port gets no greeting it can read.
        auto plain = clientFor(peer);
        plain->ReadTimeout = 1000;
        EXPECT_THROW(plain->Open(), EIdException);
        EXPECT_FALSE(plain->IsConnected());
    }
}

} // namespace
} // namespace kestrin
