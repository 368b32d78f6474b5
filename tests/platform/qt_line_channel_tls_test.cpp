// The line channel with TLS against openssl s_server and a Python STARTTLS peer,
// all on loopback with certificates made for the test run.
#include "mail/line_reader.h"
#include "mail/mail_errors.h"
#include "peers/child_process.h"
#include "peers/loopback_port.h"
#include "peers/peer_paths.h"
#include "peers/test_certificates.h"
#include "platform/qt_line_channel.h"
#include "platform/tls_configuration.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace kestrin {
namespace {

using test::ChildProcess;
using test::TestCertificates;

std::string readOneLine(LineReader& reader)
{
    AnswerBudget budget(replyLimits(16384, 1, 5000));
    return reader.readLine(budget);
}

constexpr int kTimeoutMs = 5000;

struct TlsPeer {
    uint16_t port = 0;
    std::unique_ptr<ChildProcess> process;
};

class QtLineChannelTls : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new test::TemporaryFolder;
        const std::string otherFolder = folder_->path() + "/other";
        std::filesystem::create_directory(otherFolder);
        certificates_ = test::makeTestCertificates(folder_->path());
        // Signed by its own authority for a name that is not the host the client asks for.
        otherCertificates_ = test::makeTestCertificates(otherFolder, {"DNS:mail.example.org"});
        reversing_ = startSServer(certificates_, "s_server.log");
        misnamed_ = startSServer(otherCertificates_, "s_server-other.log");
        starttls_ = startPeer({"/usr/bin/python3", test::peerScript("starttls_line_server.py"), "PORT",
                               certificates_.certFile, certificates_.keyFile},
                              "starttls.log");
    }

    static void TearDownTestSuite()
    {
        reversing_ = {};
        misnamed_ = {};
        starttls_ = {};
        delete folder_;
        folder_ = nullptr;
    }

    // openssl s_server in its line-reversing mode: "hello" comes back as "olleh".
    static TlsPeer startSServer(const TestCertificates& files, const std::string& log)
    {
        return startPeer({"/usr/bin/openssl", "s_server", "-accept", "127.0.0.1:PORT", "-cert", files.certFile, "-key",
                          files.keyFile, "-rev", "-quiet"},
                         log);
    }

    // Starts argv with "PORT" inside an argument replaced by a free loopback port.
    static TlsPeer startPeer(std::vector<std::string> argv, const std::string& log)
    {
        TlsPeer peer;
        peer.port = test::freeLoopbackPort();
        for (std::string& argument : argv) {
            const size_t at = argument.find("PORT");
            if (at != std::string::npos)
                argument.replace(at, 4, std::to_string(peer.port));
        }
        peer.process = std::make_unique<ChildProcess>(argv, folder_->path() + "/" + log);
        if (!test::waitForPort(peer.port, 10000))
            throw std::runtime_error("peer did not start: " + argv[0] + " " + argv[1]);
        return peer;
    }

    static std::string tlsFailure(QtLineChannel& channel, const std::string& host, uint16_t port)
    {
        try {
            channel.connect(host, port, kTimeoutMs, true);
        } catch (const EIdTlsError& error) {
            return error.what();
        }
        return "no TLS error";
    }

    static inline test::TemporaryFolder* folder_ = nullptr;
    static inline TestCertificates certificates_;
    static inline TestCertificates otherCertificates_;
    static inline TlsPeer reversing_;
    static inline TlsPeer misnamed_;
    static inline TlsPeer starttls_;
};

TEST_F(QtLineChannelTls, ImplicitTlsWithTheCaFileWorksFromAThreadWithoutEventLoop)
{
    std::string byName;
    std::string byAddress;
    std::string failure;
    std::thread worker([&] {
        try {
            QtLineChannel channel(certificates_.caFile);
            LineReader reader(channel);
            channel.connect("localhost", reversing_.port, kTimeoutMs, true);
            channel.writeLine("hello");
            byName = readOneLine(reader);
            channel.close();
            channel.connect("127.0.0.1", reversing_.port, kTimeoutMs, true);
            channel.writeLine("abc def");
            byAddress = readOneLine(reader);
        } catch (const std::exception& error) {
            failure = error.what();
        }
    });
    worker.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(byName, "olleh");
    EXPECT_EQ(byAddress, "fed cba");
}

TEST_F(QtLineChannelTls, UnknownAuthorityAndWrongHostNameFailTheHandshake)
{
    QtLineChannel withoutCa;
    const std::string unknown = tlsFailure(withoutCa, "localhost", reversing_.port);
    EXPECT_EQ(unknown.rfind("TLS handshake failed: ", 0), 0u) << unknown;
    EXPECT_NE(unknown.find("certificate"), std::string::npos) << unknown;
    EXPECT_FALSE(withoutCa.isOpen());
    LineReader reader(withoutCa);
    EXPECT_THROW(readOneLine(reader), EIdNotConnected);

    QtLineChannel otherCa(otherCertificates_.caFile);
    const std::string misnamed = tlsFailure(otherCa, "127.0.0.1", misnamed_.port);
    EXPECT_EQ(misnamed.rfind("TLS handshake failed: ", 0), 0u) << misnamed;
    EXPECT_NE(misnamed.find("host name"), std::string::npos) << misnamed;
    EXPECT_FALSE(otherCa.isOpen());
}

TEST_F(QtLineChannelTls, TrustsTheSystemStorePlusTheCaFile)
{
    const QSslConfiguration systemOnly = verifyingTlsConfiguration({});
    const QSslConfiguration withFile = verifyingTlsConfiguration(certificates_.caFile);
    EXPECT_FALSE(systemOnly.caCertificates().isEmpty());
    EXPECT_EQ(withFile.caCertificates().size(), systemOnly.caCertificates().size() + 1);
    EXPECT_EQ(withFile.peerVerifyMode(), QSslSocket::VerifyPeer);
}

TEST_F(QtLineChannelTls, UnreadableOrEmptyCaFileIsATlsError)
{
    QtLineChannel missing(folder_->path() + "/no-such-ca.pem");
    const std::string missingText = tlsFailure(missing, "localhost", reversing_.port);
    EXPECT_NE(missingText.find("Cannot read the CA file"), std::string::npos) << missingText;
    EXPECT_FALSE(missing.isOpen());

    const std::string notPem = folder_->path() + "/not-a-certificate.pem";
    std::ofstream(notPem) << "just text\n";
    QtLineChannel empty(notPem);
    const std::string emptyText = tlsFailure(empty, "localhost", reversing_.port);
    EXPECT_NE(emptyText.find("holds no PEM certificate"), std::string::npos) << emptyText;
}

TEST_F(QtLineChannelTls, StartTlsDiscardsWhatCameBeforeTheHandshake)
{
    QtLineChannel channel(certificates_.caFile);
    LineReader reader(channel);
    channel.connect("localhost", starttls_.port, kTimeoutMs, false);
    EXPECT_EQ(readOneLine(reader), "+OK plain");
    channel.writeLine("STLS");
    EXPECT_EQ(readOneLine(reader), "+OK begin TLS");
    reader.clear();
    channel.startTls();
    EXPECT_EQ(readOneLine(reader), "+OK secure");
    channel.writeLine("after the switch");
    EXPECT_EQ(readOneLine(reader), "ECHO after the switch");
    EXPECT_THROW(channel.startTls(), EIdTlsError);
}

TEST_F(QtLineChannelTls, StartTlsWithoutTrustClosesInsteadOfFallingBack)
{
    QtLineChannel channel;
    LineReader reader(channel);
    channel.connect("localhost", starttls_.port, kTimeoutMs, false);
    EXPECT_EQ(readOneLine(reader), "+OK plain");
    channel.writeLine("STLS");
    EXPECT_EQ(readOneLine(reader), "+OK begin TLS");
    EXPECT_THROW(channel.startTls(), EIdTlsError);
    EXPECT_FALSE(channel.isOpen());
    EXPECT_THROW(channel.writeLine("plain after a failed switch"), EIdNotConnected);
}

} // namespace
} // namespace kestrin
