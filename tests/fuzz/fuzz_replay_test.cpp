// Every input kept for a fuzz target (hostile seeds and every input that ever
// made a target fail) is walked exactly as the target walks it, so a fixed
// failure stays fixed.
#include "../../fuzz/header_walk.h"
#include "../../fuzz/ini_walk.h"
#include "../../fuzz/mail_entry_walk.h"
#include "../../fuzz/message_walk.h"
#include "../../fuzz/pop3_reply_walk.h"
#include "../../fuzz/pop3_session_walk.h"
#include "../../fuzz/record_db_walk.h"
#include "../../fuzz/report_walk.h"
#include "../../fuzz/smtp_reply_walk.h"
#include "../../fuzz/vcard_walk.h"
#include "support/kept_inputs.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

TEST(FuzzReplay, AddressAndHeaderInputs)
{
    const auto inputs = keptFuzzInputs("fuzz-address");
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs)
        EXPECT_NO_THROW(walkHeaderInput(input.bytes)) << input.name;
}

TEST(FuzzReplay, MessageInputsRaiseOnlyTheMailLayersOwnErrors)
{
    const auto inputs = keptFuzzInputs("fuzz-message");
    ASSERT_GE(inputs.size(), 5u);
    for (const auto& input : inputs) // only the encoded multipart is refused, with "Unknown Message Part Type."
        EXPECT_EQ(walkMessageInput(input.bytes), input.name == "encoded-multipart.eml") << input.name;
}

TEST(FuzzReplay, RecordDatabaseInputs)
{
    const auto inputs = keptFuzzInputs("fuzz-record-db");
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs)
        EXPECT_NO_THROW(walkRecordDbInput(input.bytes)) << input.name;
}

TEST(FuzzReplay, SettingsFileInputsRoundTrip)
{
    const auto inputs = keptFuzzInputs("fuzz-ini");
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs)
        EXPECT_TRUE(walkIniInput(input.bytes)) << input.name;
}

TEST(FuzzReplay, ReportInputsKeepEveryOtherField)
{
    const auto inputs = keptFuzzInputs("fuzz-report");
    ASSERT_FALSE(inputs.empty());
    for (const auto& input : inputs)
        EXPECT_EQ(walkReportInput(input.bytes), std::nullopt) << input.name;
}

TEST(FuzzReplay, MailEntryInputsWriteBackTheirBytes)
{
    const auto inputs = keptFuzzInputs("fuzz-mail-entry");
    ASSERT_GE(inputs.size(), 3u);
    for (const auto& input : inputs)
        EXPECT_EQ(walkMailEntryPayload(input.bytes), std::nullopt) << input.name;
}

TEST(FuzzReplay, Pop3ReplyInputsRaiseOnlyTheMailLayersOwnErrors)
{
    const auto inputs = keptFuzzInputs("fuzz-pop3-reply");
    ASSERT_GE(inputs.size(), 4u);
    for (const auto& input : inputs) {
        const size_t replies = walkPop3ReplyInput(input.bytes);
        if (input.name == "seed-login.txt") { // the greeting with its block, then the refusal
            EXPECT_EQ(replies, 2u);
        }
        if (input.name == "seed-endless-reply.txt") { // refused once it passes the reply line limit
            EXPECT_EQ(replies, 0u);
        }
        EXPECT_EQ(walkPop3SessionInput(input.bytes), std::nullopt) << input.name;
    }
}

TEST(FuzzReplay, TheSessionWalkSeesACommandSentBeforeTheAnswerWasRead)
{
    FuzzedPop3Server server("+OK ready\r\n+OK more\r\n\x01+OK\r\n");
    server.open();
    std::string received;
    for (int i = 0; i < 11; ++i)
        server.receive(received);
    EXPECT_EQ(received, "+OK ready\r\n");
    server.write("NOOP\r\n");
    EXPECT_NE(server.fault(), std::nullopt);
    FuzzedPop3Server deleting("+OK\r\n\x01+OK\r\n");
    deleting.open();
    deleting.write("DELE 1\r\n");
    EXPECT_NE(deleting.fault(), std::nullopt);
}

TEST(FuzzReplay, SmtpReplyInputsGiveOnlyWellFormedReplies)
{
    const auto inputs = keptFuzzInputs("fuzz-smtp-reply");
    ASSERT_GE(inputs.size(), 4u);
    for (const auto& input : inputs)
        EXPECT_EQ(walkSmtpReplyInput(input.bytes), std::nullopt) << input.name;
}

TEST(FuzzReplay, VCardInputsKeepNamesAndPropertiesOneLineEach)
{
    const auto inputs = keptFuzzInputs("fuzz-vcard");
    ASSERT_GE(inputs.size(), 5u);
    for (const auto& input : inputs) {
        EXPECT_EQ(walkVCardInput(input.bytes), std::nullopt) << input.name;
        if (input.name == "seed-unterminated-qp.vcf") { // the soft breaks before END stay inside the first card
            AddressBook book;
            book.loadBytes(input.bytes);
            ASSERT_EQ(book.contacts.size(), 2u);
            EXPECT_EQ(book.contacts[0], "\xA3ukasz");
        }
    }
}

} // namespace
} // namespace kestrin::test
