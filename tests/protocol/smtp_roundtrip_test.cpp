// Real messages (the SpamAssassin corpus and a Polish sample) loaded, sent
// through aiosmtpd, and the stored data parsed again: what the program and
// the recipient care about must survive the writer and the SMTP framing.
#include "mail/message_reader.h"
#include "mail/message_writer.h"
#include "mail/smtp_client.h"
#include "mail/string_line_source.h"
#include "peers/smtp_peer.h"
#include "platform/qt_line_channel.h"
#include "support/corpus_files.h"
#include "text/ascii_case.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

constexpr size_t kSamplePerFolder = 100;

// Every n-th message file of a corpus folder, so the sample spans the whole folder.
std::vector<fs::path> corpusSample(const std::string& folderName)
{
    const fs::path folder = fs::path(KESTRIN_CORPUS_DIR) / folderName;
    const std::vector<fs::path> files = test::corpusFiles(folder);
    std::vector<fs::path> sample;
    const size_t step = std::max<size_t>(1, files.size() / kSamplePerFolder);
    for (size_t i = 0; i < files.size() && sample.size() < kSamplePerFolder; i += step)
        sample.push_back(files[i]);
    return sample;
}

// The stored data read the way a RETR answer is read: dot-stuffing put back, then the "." line.
TIdMessage parseStored(const std::string& data)
{
    std::string answer;
    size_t at = 0;
    while (at < data.size()) {
        const size_t lf = data.find('\n', at);
        const size_t end = lf == std::string::npos ? data.size() : lf + 1;
        if (data[at] == '.')
            answer += '.';
        answer.append(data, at, end - at);
        at = end;
    }
    StringLineSource source(answer + ".\r\n");
    TIdMessage message;
    readMessage(message, source);
    return message;
}

// RFC 5321 4.5.3.1.6: 998 characters a line. A few corpus messages carry longer
// body lines than that, which the writer keeps as they are and a strict server refuses.
bool hasOverlongLine(const TIdMessage& message)
{
    const auto lines = messageLines(message, HeaderPurpose::Sending);
    return std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.size() > 998; });
}

// Address and display name of each item; a name that only repeats the address is
// not written (the text form of an address item drops it), so it counts as none.
std::vector<std::pair<std::string, std::string>> items(const TIdEMailAddressList& list)
{
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& item : list.items)
        result.emplace_back(item.Address, equalsIgnoreCase(item.Name, item.Address) ? "" : item.Name);
    return result;
}

void expectSameContent(const TIdMessage& sent, const TIdMessage& received, const std::string& name)
{
    EXPECT_EQ(received.Subject, sent.Subject) << name;
    EXPECT_EQ(received.From.Name, sent.From.Name) << name;
    EXPECT_EQ(received.From.Address, sent.From.Address) << name;
    EXPECT_EQ(items(received.Recipients), items(sent.Recipients)) << name;
    EXPECT_EQ(items(received.ccList), items(sent.ccList)) << name;
    EXPECT_TRUE(received.bccList.empty()) << name;
    EXPECT_EQ(received.Body, sent.Body) << name;
    ASSERT_EQ(received.parts.size(), sent.parts.size()) << name;
    for (size_t i = 0; i < sent.parts.size(); ++i) {
        EXPECT_EQ(received.parts[i].kind, sent.parts[i].kind) << name << " part " << i;
        EXPECT_EQ(received.parts[i].lines, sent.parts[i].lines) << name << " part " << i;
        EXPECT_EQ(received.parts[i].data, sent.parts[i].data) << name << " part " << i;
    }
}

TEST(SmtpRoundTrip, SentMessagesKeepSubjectAddressesTextAndAttachments)
{
    std::vector<fs::path> files{fs::path(KESTRIN_TEST_DATA) / "sample-pl.eml"};
    for (const char* folder : {"easy-ham-1", "spam-1"}) {
        const auto sample = corpusSample(folder);
        files.insert(files.end(), sample.begin(), sample.end());
    }
    if (files.size() == 1)
        std::cout << "corpus absent: only the Polish sample is sent\n";

    test::SmtpPeer peer;
    TIdSMTP smtp(std::make_unique<QtLineChannel>());
    smtp.Host = "127.0.0.1";
    smtp.Port = peer.port();
    smtp.ConnectTimeout = smtp.ReadTimeout = 10000;
    smtp.Open();
    std::vector<TIdMessage> sent;
    std::vector<std::string> names;
    size_t refusedForLength = 0;
    for (const auto& file : files) {
        TIdMessage message;
        message.loadFromFile(file.string());
        if (hasOverlongLine(message)) {
            // Refused after the "." line; the session stays in step for the next message.
            EXPECT_THROW(smtp.SendMessage(message, {"archive@example.pl"}), EIdSMTPReplyError) << file;
            ++refusedForLength;
            continue;
        }
        try {
            smtp.SendMessage(message, {"archive@example.pl"});
        } catch (const EIdSMTPUnsafeText&) {
            continue; // a sender address that cannot go into MAIL FROM is refused, as it must be
        }
        sent.push_back(std::move(message));
        names.push_back(file.filename().string());
    }
    smtp.Close();
    std::cout << "sent " << sent.size() << " of " << files.size() << ", " << refusedForLength
              << " refused for over-long lines\n";

    const auto stored = peer.messages();
    ASSERT_EQ(stored.size(), sent.size());
    EXPECT_GE(sent.size(), files.size() * 95 / 100); // nearly every message is sendable
    EXPECT_LE(refusedForLength, files.size() / 50);
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(stored[i].mailFrom, sent[i].From.Address) << names[i];
        expectSameContent(sent[i], parseStored(stored[i].data), names[i]);
    }
}

} // namespace
} // namespace kestrin
