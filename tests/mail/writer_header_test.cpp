#include "mail/mail_errors.h"
#include "mail/message_writer.h"
#include "message_test_support.h"
#include "writer_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kestrin {
namespace {

using test::crlfLines;
using test::readMessageText;

std::vector<std::string> withName(const std::vector<std::string>& lines, std::string_view prefix)
{
    std::vector<std::string> out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    return out;
}

size_t indexOf(const std::vector<std::string>& lines, std::string_view prefix)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind(prefix, 0) == 0)
            return i;
    }
    return lines.size();
}

TEST(HeaderGeneration, ReplacesInPlaceDropsContinuationsAndAppendsTheRest)
{
    TIdMessage m = readMessageText(
        crlfLines({"Received: from a", "\tby b", "X-First: 1", "subject: Old", "\tcontinued old subject", "X-Middle: 2",
                   "To: a@example.com,", " b@example.com", "X-Priority: 3 (Normal)", "X-Last: 3", ""}));
    m.Subject = "New subject";
    m.Recipients.clear();
    m.Recipients.add({"", "c@example.com"});
    m.From = {"Jan", "jan@example.com"};
    const auto lines = generateHeaders(m, HeaderPurpose::File);

    // Replaced where it stood, continuation gone; untouched lines keep their folding.
    EXPECT_EQ(lines[0], "Received: from a");
    EXPECT_EQ(lines[1], "\tby b");
    EXPECT_EQ(lines[2], "X-First: 1");
    EXPECT_EQ(lines[3], "Subject: New subject");
    EXPECT_EQ(lines[4], "X-Middle: 2");
    EXPECT_EQ(lines[5], "To: c@example.com");
    // Normal priority writes no X-Priority: the received line goes.
    EXPECT_EQ(lines[6], "X-Last: 3");
    EXPECT_EQ(withName(lines, "X-Priority").size(), 0u);
    // New headers are appended in the generation order.
    const size_t from = indexOf(lines, "From: ");
    const size_t type = indexOf(lines, "Content-Type: ");
    ASSERT_LT(from, lines.size());
    ASSERT_LT(type, lines.size());
    EXPECT_LT(from, type);
    EXPECT_EQ(lines[from], "From: Jan <jan@example.com>");
    EXPECT_EQ(lines[type], "Content-Type: text/plain");
    // No date and no Message-ID: no such lines in the file.
    EXPECT_EQ(indexOf(lines, "Date:"), lines.size());
    EXPECT_EQ(indexOf(lines, "Message-ID:"), lines.size());
}

TEST(HeaderGeneration, MimeOrderPriorityBccAndExtraHeaders)
{
    TIdMessage m;
    m.From = {"", "a@example.com"};
    m.Recipients.add({"", "b@example.com"});
    m.bccList.add({"Hidden", "h@example.com"});
    m.rawHeaders.add("bcc: second@example.com");
    m.encoding = TIdMessageEncoding::Mime;
    m.contentType = "multipart/mixed";
    m.CharSet = "ISO-8859-2";
    m.boundary = "b1";
    m.contentTransferEncoding = "7bit";
    m.priority = 0;
    m.Date = encodeDateTime({2025, 1, 14, 9, 30, 0, 0});
    m.messageId = "<id@example.com>";
    m.replyToList.add({"R", "r@example.com"});
    m.extraHeaders.add("X-Mailer: Kestrin");
    m.extraHeaders.add("X-Unwanted:");
    m.rawHeaders.add("X-Unwanted: gone");

    const auto file = generateHeaders(m, HeaderPurpose::File);
    EXPECT_EQ(withName(file, "bcc: ").size() + withName(file, "Bcc: ").size(), 1u);
    EXPECT_EQ(file[indexOf(file, "Bcc:")], "Bcc: Hidden <h@example.com>");

    const auto sent = generateHeaders(m, HeaderPurpose::Sending);
    // Every Bcc line goes, not only the first: a second one would leak the blind copy.
    for (const auto& line : sent)
        EXPECT_EQ(line.find("example.com") != std::string::npos && line.find("h@") != std::string::npos, false) << line;
    EXPECT_EQ(indexOf(sent, "bcc"), sent.size());

    const size_t type = indexOf(sent, "Content-Type:");
    ASSERT_LT(type + 2, sent.size());
    EXPECT_EQ(sent[type], "Content-Type: multipart/mixed; charset=\"ISO-8859-2\"; boundary=\"b1\"");
    EXPECT_EQ(sent[type + 1], "MIME-Version: 1.0");
    EXPECT_EQ(sent[type + 2], "Content-Transfer-Encoding: 7bit");
    EXPECT_EQ(sent[indexOf(sent, "Date:")], "Date: Tue, 14 Jan 2025 09:30:00 +0100");
    EXPECT_EQ(sent[indexOf(sent, "X-Priority:")], "X-Priority: 1");
    EXPECT_LT(indexOf(sent, "Reply-To:"), indexOf(sent, "Date:"));
    EXPECT_LT(indexOf(sent, "Date:"), indexOf(sent, "X-Priority:"));
    EXPECT_LT(indexOf(sent, "X-Priority:"), indexOf(sent, "Message-ID:"));
    EXPECT_EQ(sent.back(), "X-Mailer: Kestrin");
    EXPECT_EQ(indexOf(sent, "X-Unwanted"), sent.size());

    // A message without date gets the sending time, not 1899.
    m.Date = 0;
    const auto undated = generateHeaders(m, HeaderPurpose::Sending);
    ASSERT_LT(indexOf(undated, "Date:"), undated.size());
    EXPECT_EQ(undated[indexOf(undated, "Date:")].find("1899"), std::string::npos);
}

TEST(HeaderGeneration, NoLineHoldsALineBreakAndLongLinesAreFolded)
{
    TIdMessage m;
    m.From = {"Evil\r\nBcc: victim@example.com", "a@example.com"};
    m.Subject = "Hello\r\nBcc: injected@example.com";
    m.organization = "Org\rX";
    m.rawHeaders.add("X-Raw: one\ntwo");
    m.rawHeaders.add("");
    m.Body = {"line one\r\nline two", "bare\rcr", ".dot"};
    std::string longSubject;
    for (int i = 0; i < 25; ++i)
        longSubject += "word ";
    m.Recipients.add({"", "b@example.com"});

    const auto lines = messageLines(m, HeaderPurpose::Sending);
    const size_t blank = std::find(lines.begin(), lines.end(), std::string()) - lines.begin();
    ASSERT_LT(blank, lines.size());
    for (const auto& line : lines)
        EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    for (size_t i = 0; i < blank; ++i)
        EXPECT_NE(lines[i].rfind("Bcc", 0), 0u) << lines[i];
    const std::vector<std::string> body(lines.begin() + static_cast<long>(blank) + 1, lines.end());
    EXPECT_EQ(body, (std::vector<std::string>{"line one", "line two", "bare", "cr", ".dot"}));
    EXPECT_EQ(dotStuff(body).back(), "..dot");

    m.Subject = longSubject + "end";
    const auto folded = generateHeaders(m, HeaderPurpose::File);
    const size_t subject = indexOf(folded, "Subject:");
    ASSERT_LT(subject + 1, folded.size());
    EXPECT_LE(folded[subject].size(), 78u);
    EXPECT_EQ(folded[subject + 1][0], ' ');
    TIdHeaderList list;
    list.lines = folded;
    EXPECT_EQ(list.value("Subject"), longSubject + "end");
}

TEST(SaveToFile, WritesCrLfLinesDotStuffedWithFinalDot)
{
    TIdMessage m;
    m.From = {"", "a@example.com"};
    m.Subject = "Dots";
    m.Body = {".", "..two", "plain", ""};
    test::TempFile file("kestrin-save");
    m.saveToFile(file.name());
    const std::string text = test::fileText(file.name());
    EXPECT_NE(text.find("\r\n\r\n..\r\n...two\r\nplain\r\n\r\n.\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 5), "\r\n.\r\n");
    // Every LF is part of a CR LF.
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            EXPECT_EQ(text[i - 1], '\r');
        }
        if (text[i] == '\r') {
            EXPECT_EQ(text[i + 1], '\n');
        }
    }
    TIdMessage loaded;
    loaded.loadFromFile(file.name());
    EXPECT_EQ(loaded.Body, m.Body);

    EXPECT_THROW(m.saveToFile("/nonexistent-folder/x.txt"), EIdException);
}

TEST(SaveToFile, RewritingWithAShorterMessageLeavesNothingOfTheLongerOne)
{
    test::TempFile file("kestrin-save");
    TIdMessage longer;
    longer.Subject = "Dluga";
    longer.Body = std::vector<std::string>(200, std::string(70, '#'));
    longer.saveToFile(file.name());
    TIdMessage shorter;
    shorter.Subject = "Krotka";
    shorter.Body = {"tylko to"};
    shorter.saveToFile(file.name());
    const std::string text = test::fileText(file.name());
    EXPECT_EQ(text.find('#'), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "\r\ntylko to\r\n.\r\n");
    EXPECT_EQ(std::filesystem::status(file.name()).permissions() & std::filesystem::perms::others_read,
              std::filesystem::perms::none)
        << "created for the owner only";
}

} // namespace
} // namespace kestrin
