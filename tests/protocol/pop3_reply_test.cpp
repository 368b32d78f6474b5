// Reading POP3 replies and multi-line blocks from lines, without a socket.
#include "mail/pop3_reply.h"
#include "mail/string_line_source.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TIdReplyPOP3 replyOf(const std::string& lines)
{
    StringLineSource source(lines);
    return readPop3Reply(source);
}

using Lines = std::vector<std::string>;

TEST(Pop3Reply, CodeAndTextOfOneLine)
{
    const TIdReplyPOP3 fresh;
    EXPECT_EQ(fresh.code, "+OK");

    TIdReplyPOP3 r = replyOf("+OK 2 320\r\n");
    EXPECT_EQ(r.code, "+OK");
    EXPECT_EQ(r.text, Lines{"2 320"});
    // Blank lines before the reply are skipped; spaces and control characters are trimmed.
    r = replyOf("\r\n  \t\r\n \t-ERR  no such message \x01\r\n");
    EXPECT_EQ(r.code, "-ERR");
    EXPECT_EQ(r.text, Lines{" no such message"});
    r = replyOf("+OK");
    EXPECT_EQ(r.code, "+OK");
    EXPECT_EQ(r.text, Lines{""});
    r = replyOf("-ERR");
    EXPECT_EQ(r.code, "-ERR");
    EXPECT_EQ(r.text, Lines{""});
    r = replyOf("+ ");
    EXPECT_EQ(r.code, "+");
    // Anything else is a refusal; the word after the unknown code is its text.
    r = replyOf("OK fine\n");
    EXPECT_EQ(r.code, "-ERR");
    EXPECT_EQ(r.text, Lines{"fine"});
    r = replyOf("+ok lower case\n");
    EXPECT_EQ(r.code, "-ERR");
    EXPECT_EQ(r.textAsMessage(), "lower case\r\n");
}

TEST(Pop3Reply, DashAfterTheCodeAnnouncesAnotherLine)
{
    TIdReplyPOP3 r = replyOf("+OK-first\r\n+OK second\r\n+OK not read\r\n");
    EXPECT_EQ(r.code, "+OK");
    EXPECT_EQ(r.text, (Lines{"first", "second"}));
    EXPECT_EQ(r.textAsMessage(), "first\r\nsecond\r\n");
    // The leading "-" of "-ERR" is not the continuation mark; a later one is.
    r = replyOf("-ERR-one\n-ERR two\n");
    EXPECT_EQ(r.code, "-ERR");
    EXPECT_EQ(r.text, (Lines{"one", "two"}));
    // A space ends the code before any "-".
    r = replyOf("+OK a-b\n");
    EXPECT_EQ(r.text, Lines{"a-b"});
    // Lines end before the reply does.
    EXPECT_THROW(replyOf("+OK-more\n"), EIdConnClosedGracefully);
    EXPECT_THROW(replyOf("\r\n"), EIdConnClosedGracefully);
    // An endless reply is refused instead of being collected for ever.
    std::string endless;
    for (size_t i = 0; i < kMaxPop3ReplyLines + 5; ++i)
        endless += "+OK-x\r\n";
    EXPECT_THROW(replyOf(endless), EIdReplyPOP3Error);
}

TEST(Pop3Reply, ExtendedCodesLeaveTheTextOfRefusals)
{
    TIdReplyPOP3 r = replyOf("-ERR [IN-USE] mailbox locked\r\n");
    EXPECT_EQ(r.extendedCode, "IN-USE");
    EXPECT_EQ(r.textAsMessage(), "mailbox locked\r\n");
    EXPECT_EQ(EIdReplyPOP3Error(r).what(), std::string("mailbox locked\r\n"));
    for (const std::string code : {"LOGIN-DELAY", "SYS/PERM", "SYS/TEMP", "AUTH"}) {
        r = replyOf("-ERR [" + code + "] x");
        EXPECT_EQ(r.extendedCode, code);
        EXPECT_EQ(r.text, Lines{"x"});
    }
    r = replyOf("-ERR [auth]");
    EXPECT_EQ(r.extendedCode, "AUTH");
    EXPECT_EQ(r.text, Lines{""});
    // Unknown codes, unclosed brackets and +OK replies keep their text.
    r = replyOf("-ERR [OTHER] x");
    EXPECT_EQ(r.extendedCode, "");
    EXPECT_EQ(r.text, Lines{"[OTHER] x"});
    r = replyOf("-ERR [IN-USE x");
    EXPECT_EQ(r.extendedCode, "");
    r = replyOf("+OK [IN-USE] x");
    EXPECT_EQ(r.extendedCode, "");
    EXPECT_EQ(r.text, Lines{"[IN-USE] x"});
}

TEST(Pop3Block, EndsAtTheDotLineAndUnstuffsDoubleDots)
{
    StringLineSource source("TOP\r\n..STLS\r\n.x\r\n\r\n.\r\n+OK next\r\n");
    EXPECT_EQ(readPop3Block(source), (Lines{"TOP", ".STLS", ".x", ""}));
    EXPECT_EQ(readPop3Reply(source).text, Lines{"next"});
    StringLineSource unfinished("USER\r\n");
    EXPECT_THROW(readPop3Block(unfinished), EIdConnClosedGracefully);
}

} // namespace
} // namespace kestrin
