#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::crlfLines;
using test::readBodyText;

TEST(BodyPlain, DotRuleRemovesOneLeadingDotAndTheDotLineEndsTheBody)
{
    TIdMessage message;
    StringLineSource source(crlfLines({"..word", ".word", "...", "", "text. more", ".", "next answer"}));
    readMessageBody(message, source);
    EXPECT_EQ(message.Body, (std::vector<std::string>{".word", "word", "..", "", "text. more"}));
    std::string next;
    ASSERT_TRUE(source.readLine(next));
    EXPECT_EQ(next, "next answer");
}

TEST(BodyPlain, BodyWithoutDotLineEndsAtTheEndOfInput)
{
    TIdMessage message;
    readBodyText(message, "one\r\ntwo\nthree without line end");
    EXPECT_EQ(message.Body, (std::vector<std::string>{"one", "two", "three without line end"}));

    TIdMessage empty;
    readBodyText(empty, "");
    EXPECT_TRUE(empty.Body.empty());
    EXPECT_TRUE(empty.parts.empty());
}

TEST(BodyPlain, UuencodedBlockBecomesAnAttachmentAndTextAroundItStaysInBody)
{
    TIdMessage message;
    readBodyText(message, crlfLines({"Hi,", "the file:", "", "begin 644 cat.txt", "#0V%T", "`", "end", "bye",
                                     "begin 600 second.bin", "..2&5L;&\\L('=O<FQD(0H ", "end", "."}));
    EXPECT_EQ(message.Body, (std::vector<std::string>{"Hi,", "the file:", "", "bye"}));
    ASSERT_EQ(message.parts.size(), 2u);
    EXPECT_EQ(message.parts[0].kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(message.parts[0].fileName, "cat.txt");
    EXPECT_EQ(message.parts[0].data, "Cat");
    EXPECT_EQ(message.parts[0].parentPart, -1);
    EXPECT_EQ(message.parts[1].fileName, "second.bin");
    EXPECT_EQ(message.parts[1].data, "Hello, world!\n");
}

TEST(BodyPlain, BeginInProseAndUnfinishedBlocksLoseNothing)
{
    TIdMessage prose;
    readBodyText(prose, crlfLines({"begin 100 metres from the station", "then turn left"}));
    EXPECT_EQ(prose.Body, (std::vector<std::string>{"begin 100 metres from the station", "then turn left"}));
    EXPECT_TRUE(prose.parts.empty());

    TIdMessage lastLine;
    readBodyText(lastLine, crlfLines({"text", "begin 644 nothing.txt"}));
    EXPECT_EQ(lastLine.Body, (std::vector<std::string>{"text", "begin 644 nothing.txt"}));

    TIdMessage noEnd;
    readBodyText(noEnd, crlfLines({"begin 644 cut.txt", "#0V%T", "#0V%T"}));
    ASSERT_EQ(noEnd.parts.size(), 1u);
    EXPECT_EQ(noEnd.parts[0].data, "CatCat");
    EXPECT_EQ(noEnd.parts[0].fileName, "cut.txt");
}

TEST(BodyPlain, UuencodeIsNotLookedForUnderAMimeBoundary)
{
    TIdMessage message = test::mimeMessage("b");
    readBodyText(message, crlfLines({"begin 644 cat.txt", "#0V%T", "end"}));
    EXPECT_EQ(message.Body.size(), 3u);
    EXPECT_TRUE(message.parts.empty());
}

} // namespace
} // namespace kestrin
