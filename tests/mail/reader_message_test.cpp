#include "mail/mime_parts.h"
#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::crlfLines;
using test::readMessageText;

TEST(ReaderMessage, WholeAnswerStoresHeaderLinesAndReadsTheBodyUpToTheDotLine)
{
    TIdMessage message;
    StringLineSource source(crlfLines({"From: Jan <jan@example.org>", "Subject: Test", "\tcontinued", "X-Empty:", "",
                                       "..body line", "", "second", ".", "+OK next answer"}));
    readMessage(message, source);
    EXPECT_EQ(message.rawHeaders.lines,
              (std::vector<std::string>{"From: Jan <jan@example.org>", "Subject: Test", "\tcontinued", "X-Empty:"}));
    EXPECT_EQ(message.Subject, "Test continued");
    EXPECT_EQ(message.From.Address, "jan@example.org");
    EXPECT_EQ(message.Body, (std::vector<std::string>{".body line", "", "second"}));
    std::string next;
    ASSERT_TRUE(source.readLine(next));
    EXPECT_EQ(next, "+OK next answer");
}

TEST(ReaderMessage, HeaderEndingAtTheDotLineOrEndOfInputReadsNoBody)
{
    TIdMessage message;
    StringLineSource dotted(crlfLines({"Subject: only a header", ".", "not a body line"}));
    EXPECT_FALSE(readMessageHeader(message, dotted));
    EXPECT_EQ(message.Subject, "only a header");
    std::string next;
    ASSERT_TRUE(dotted.readLine(next));
    EXPECT_EQ(next, "not a body line");

    TIdMessage cut = readMessageText("Subject: cut short\r\nX-Mailer: m");
    EXPECT_EQ(cut.rawHeaders.count(), 2u);
    EXPECT_TRUE(cut.Body.empty());

    StringLineSource withBody(crlfLines({"Subject: s", "", "body"}));
    EXPECT_TRUE(readMessageHeader(message, withBody));
}

TEST(ReaderMessage, HeaderOnlyAnswerKeepsReadingPastEmptyLines)
{
    TIdMessage message;
    StringLineSource source(crlfLines({"Subject: top answer", "", "X-After-Empty: yes", ".", "next"}));
    readHeaderOnlyAnswer(message, source);
    EXPECT_EQ(message.rawHeaders.lines, (std::vector<std::string>{"Subject: top answer", "X-After-Empty: yes"}));
    EXPECT_EQ(message.headerValue("X-After-Empty"), "yes");
    EXPECT_TRUE(message.Body.empty());
}

TEST(ReaderMessage, ProcessedHeadersChooseHowTheBodyIsRead)
{
    const TIdMessage base64 =
        readMessageText(crlfLines({"MIME-Version: 1.0", "Content-Transfer-Encoding: BASE64", "", "WmHz\r\nc3R5", "."}));
    EXPECT_EQ(base64.Body, (std::vector<std::string>{"Za\xF3sty"}));

    const TIdMessage mixed =
        readMessageText(crlfLines({"MIME-Version: 1.0", "Content-Type: multipart/mixed; boundary=\"=_b\"", "",
                                   "preamble", "--=_b", "Content-Type: text/plain; charset=\"iso-8859-2\"",
                                   "Content-Transfer-Encoding: quoted-printable", "", "Zam=F3wienie", "--=_b--", "."}));
    EXPECT_EQ(mixed.Body, (std::vector<std::string>{"preamble"}));
    ASSERT_EQ(mixed.parts.size(), 1u);
    EXPECT_EQ(mixed.parts[0].lines, (std::vector<std::string>{"Zam\xF3wienie"}));
    EXPECT_EQ(mixed.parts[0].charset, "ISO-8859-2");

    // Without MIME-Version the boundary still marks the parts.
    const TIdMessage noVersion =
        readMessageText(crlfLines({"Content-Type: multipart/alternative; boundary=b", "", "--b", "", "text", "--b--"}));
    ASSERT_EQ(noVersion.parts.size(), 1u);
    EXPECT_EQ(noVersion.parts[0].lines, (std::vector<std::string>{"text"}));
}

TEST(ReaderMessage, ClearAndReadingAgainLeaveNothingOfTheFormerMessage)
{
    TIdMessage message = readMessageText(
        crlfLines({"MIME-Version: 1.0", "Content-Type: multipart/mixed; boundary=b", "Subject: first", "X-Priority: 1",
                   "Date: Tue, 14 Jan 2025 09:30:00 +0100", "", "pre", "--b",
                   "Content-Type: multipart/alternative; boundary=c", "", "--c", "", "text", "--c--", "--b--"}));
    ASSERT_EQ(message.parts.size(), 1u);
    ASSERT_EQ(message.containers.size(), 1u);
    EXPECT_NE(message.Date, 0);

    StringLineSource second(crlfLines({"Subject: second", "", "plain"}));
    readMessage(message, second);
    EXPECT_EQ(message.Subject, "second");
    EXPECT_EQ(message.rawHeaders.count(), 1u);
    EXPECT_TRUE(message.parts.empty());
    EXPECT_TRUE(message.containers.empty());
    EXPECT_EQ(message.Body, (std::vector<std::string>{"plain"}));

    message.Clear();
    const TIdMessage fresh;
    EXPECT_TRUE(message.rawHeaders.empty());
    EXPECT_TRUE(message.Body.empty());
    EXPECT_EQ(message.Subject, "");
    EXPECT_EQ(message.contentType, "text/plain");
    EXPECT_EQ(message.priority, 2);
    EXPECT_EQ(message.Date, 0);
    EXPECT_EQ(message.encoding, TIdMessageEncoding::Plain);
    EXPECT_EQ(message.boundary, "");
    EXPECT_TRUE(message.From.empty());
    EXPECT_EQ(message.contentType, fresh.contentType);
}

} // namespace
} // namespace kestrin
