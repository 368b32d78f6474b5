// TIdPOP3 against a real dovecot started by the test: plain POP3, POP3S, STLS,
// real messages, and when deletions take effect.
#include "mail/message_reader.h"
#include "mail/pop3_client.h"
#include "mail/string_line_source.h"
#include "peers/dovecot_peer.h"
#include "platform/qt_line_channel_factory.h"
#include "support/corpus_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace kestrin {
namespace {

namespace fs = std::filesystem;
using test::DovecotPeer;

constexpr int kTimeoutMs = 10000;

std::string fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// sample-pl.eml and, when the corpus is there, the first few easy-ham messages.
std::vector<std::string> sampleMessages(size_t fromCorpus)
{
    std::vector<std::string> messages = {fileBytes(fs::path(KESTRIN_TEST_DATA) / "sample-pl.eml")};
    const fs::path corpus = fs::path(KESTRIN_CORPUS_DIR) / "easy-ham-1";
    if (!fs::is_directory(corpus))
        return messages;
    const std::vector<fs::path> files = test::corpusFiles(corpus);
    for (size_t i = 0; i < files.size() && i < fromCorpus; ++i)
        messages.push_back(fileBytes(files[i]));
    return messages;
}

// The message as the reader makes it of what a POP3 server sends for the file:
// lines dot-stuffed, then the "." line.
TIdMessage expectedMessage(const std::string& bytes)
{
    std::string answer;
    StringLineSource lines(bytes);
    for (std::string line; lines.readLine(line);)
        answer += (!line.empty() && line.front() == '.' ? "." : "") + line + "\r\n";
    StringLineSource source(answer + ".\r\n");
    TIdMessage message;
    readMessage(message, source);
    return message;
}

// What POP3 counts: the message with CR LF line ends.
int64_t sizeWithCrLf(const std::string& bytes)
{
    int64_t size = static_cast<int64_t>(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        size += bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r') ? 1 : 0;
    return size;
}

class Pop3Dovecot : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed (" << DovecotPeer::kProgram << ")";
        peer_ = std::make_unique<DovecotPeer>();
    }

    std::unique_ptr<TIdPOP3> session(Pop3Security security = Pop3Security::None, std::string caFile = {})
    {
        factory_ = std::make_unique<QtLineChannelFactory>(caFile.empty() ? peer_->caFile() : caFile);
        auto pop3 = std::make_unique<TIdPOP3>(*factory_);
        pop3->Host = "127.0.0.1";
        pop3->Port = security == Pop3Security::Tls ? peer_->pop3sPort() : peer_->pop3Port();
        pop3->Username = "alice";
        pop3->Password = "secret";
        pop3->ConnectTimeout = kTimeoutMs;
        pop3->ReadTimeout = kTimeoutMs;
        pop3->Security = security;
        return pop3;
    }

    int32_t countInNewSession()
    {
        auto pop3 = session();
        pop3->Open();
        const int32_t count = pop3->QueryMessageCount();
        pop3->Close();
        return count;
    }

    std::unique_ptr<DovecotPeer> peer_;
    std::unique_ptr<QtLineChannelFactory> factory_;
};

TEST_F(Pop3Dovecot, FetchesRealMessagesWholeAndByHeader)
{
    const auto messages = sampleMessages(5);
    for (const auto& bytes : messages)
        peer_->deliver("alice", bytes);
    auto pop3 = session();
    pop3->Open();
    EXPECT_FALSE(pop3->Greeting().empty());
    EXPECT_NE(std::find(pop3->Capabilities().begin(), pop3->Capabilities().end(), "STLS"), pop3->Capabilities().end());
    ASSERT_EQ(pop3->QueryMessageCount(), static_cast<int32_t>(messages.size()));
    for (size_t i = 0; i < messages.size(); ++i) {
        const int n = static_cast<int>(i) + 1;
        const TIdMessage expected = expectedMessage(messages[i]);
        EXPECT_EQ(pop3->QueryMessageSize(n), sizeWithCrLf(messages[i])) << n;
        TIdMessage whole;
        ASSERT_TRUE(pop3->FetchMessage(n, whole)) << n;
        EXPECT_EQ(whole.Subject, expected.Subject) << n;
        EXPECT_EQ(whole.rawHeaders.lines, expected.rawHeaders.lines) << n;
        EXPECT_EQ(whole.Body, expected.Body) << n;
        EXPECT_EQ(whole.parts.size(), expected.parts.size()) << n;
        TIdMessage header;
        ASSERT_TRUE(pop3->FetchHeader(n, header)) << n;
        EXPECT_EQ(header.Subject, expected.Subject) << n;
        EXPECT_EQ(header.rawHeaders.lines, expected.rawHeaders.lines) << n;
        EXPECT_TRUE(header.Body.empty()) << n;
    }
    TIdMessage missing;
    EXPECT_FALSE(pop3->FetchMessage(static_cast<int>(messages.size()) + 1, missing));
    EXPECT_THROW(pop3->QueryMessageSize(static_cast<int>(messages.size()) + 1), EIdReplyPOP3Error);
    pop3->Close();
    EXPECT_FALSE(pop3->IsConnected());
}

TEST_F(Pop3Dovecot, WrongPasswordIsRefused)
{
    auto pop3 = session();
    pop3->Password = "wrong";
    try {
        pop3->Open();
        FAIL() << "no error";
    } catch (const EIdReplyPOP3Error& e) {
        EXPECT_EQ(e.reply().code, "-ERR");
        EXPECT_EQ(e.reply().extendedCode, "AUTH");
        EXPECT_EQ(std::string(e.what()), e.reply().textAsMessage());
        EXPECT_FALSE(std::string(e.what()).empty());
    }
    EXPECT_FALSE(pop3->IsConnected());
}

TEST_F(Pop3Dovecot, DeletionsTakeEffectOnlyAtQuit)
{
    for (const auto& bytes : sampleMessages(2))
        peer_->deliver("alice", bytes);
    const auto before = peer_->messageFiles("alice");
    const auto count = static_cast<int32_t>(before.size());

    // A session that breaks off before QUIT deletes nothing.
    auto broken = session();
    broken->Open();
    TIdMessage header;
    broken->FetchHeader(1, header);
    EXPECT_TRUE(broken->MarkDeleted(1));
    broken->Abort();
    broken.reset();
    EXPECT_EQ(countInNewSession(), count);
    EXPECT_EQ(peer_->messageFiles("alice"), before);

    auto pop3 = session();
    pop3->Open();
    pop3->FetchHeader(1, header);
    EXPECT_TRUE(pop3->MarkDeleted(1));
    EXPECT_EQ(peer_->messageFiles("alice").size(), before.size());
    pop3->Close();
    const auto after = peer_->messageFiles("alice");
    EXPECT_EQ(after.size(), before.size() - 1);
    EXPECT_EQ(std::find(after.begin(), after.end(), before.front()), after.end());
    EXPECT_EQ(countInNewSession(), count - 1);
}

TEST_F(Pop3Dovecot, TlsFromTheFirstByteAndStlsVerifyTheServer)
{
    peer_->deliver("alice", sampleMessages(0).front());
    for (const Pop3Security security : {Pop3Security::Tls, Pop3Security::StartTls}) {
        auto pop3 = session(security);
        pop3->Open();
        EXPECT_EQ(pop3->QueryMessageCount(), 1);
        TIdMessage message;
        EXPECT_TRUE(pop3->FetchMessage(1, message));
        // Once encrypted, the server no longer offers STLS (CAPA was asked again).
        EXPECT_EQ(std::find(pop3->Capabilities().begin(), pop3->Capabilities().end(), "STLS"),
                  pop3->Capabilities().end());
        EXPECT_FALSE(pop3->Capabilities().empty());
        pop3->Close();
    }

    // A server certificate from another authority is refused, in both modes.
    test::TemporaryFolder other;
    const std::string otherCa = test::makeTestCertificates(other.path()).caFile;
    for (const Pop3Security security : {Pop3Security::Tls, Pop3Security::StartTls}) {
        auto pop3 = session(security, otherCa);
        EXPECT_THROW(pop3->Open(), EIdTlsError);
        EXPECT_FALSE(pop3->IsConnected());
    }
    EXPECT_EQ(countInNewSession(), 1);
}

} // namespace
} // namespace kestrin
