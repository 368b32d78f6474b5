// The SMTP reply rule on its own: which line ends a reply, what becomes code,
// text and enhanced status code, and the bound on hostile replies.
#include "mail/smtp_reply.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace kestrin {
namespace {

// Feeds the given lines and reports how many were taken; throws like a closed connection when they run out.
struct Lines {
    std::deque<std::string> pending;
    size_t taken = 0;
    std::string next()
    {
        if (pending.empty())
            throw EIdConnClosedGracefully("Connection Closed Gracefully.");
        ++taken;
        std::string line = pending.front();
        pending.pop_front();
        return line;
    }
};

TIdReplySMTP read(Lines& lines)
{
    return readSmtpReply([&] { return lines.next(); });
}

TEST(SmtpReply, MultiLineRepliesEndAtTheFirstLineWithoutContinuation)
{
    Lines lines{{"250-mail.example.pl Hello", "250-PIPELINING", "250-AUTH LOGIN PLAIN", "250 8BITMIME", "221 Bye"}};
    const TIdReplySMTP ehlo = read(lines);
    EXPECT_EQ(ehlo.code, 250);
    EXPECT_EQ(ehlo.text,
              (std::vector<std::string>{"mail.example.pl Hello", "PIPELINING", "AUTH LOGIN PLAIN", "8BITMIME"}));
    EXPECT_EQ(lines.taken, 4u); // the next reply stays unread
    EXPECT_EQ(read(lines).code, 221);

    // Short lines end a reply whatever they hold; a line with any other fourth character goes on.
    Lines shortLines{{"250", "354", "250xyz", "250 done", "", "", "220 late greeting"}};
    TIdReplySMTP bare = read(shortLines);
    EXPECT_EQ(bare.code, 250);
    EXPECT_EQ(bare.text, std::vector<std::string>{""});
    EXPECT_EQ(read(shortLines).code, 354);
    const TIdReplySMTP odd = read(shortLines);
    EXPECT_EQ(odd.text, (std::vector<std::string>{"yz", "done"}));
    const TIdReplySMTP afterBlank = read(shortLines); // blank lines before a reply are skipped
    EXPECT_EQ(afterBlank.code, 220);
    EXPECT_EQ(afterBlank.text, std::vector<std::string>{"late greeting"});

    Lines cut{{"250-first", "250-second"}};
    EXPECT_THROW(read(cut), EIdConnClosedGracefully);
}

TEST(SmtpReply, CodeEnhancedStatusAndErrorMessage)
{
    Lines lines{{"550-5.1.1 <c@d>: Recipient address rejected", "550 5.1.1 User unknown", "abc hello", "2a5 hi",
                 "421 4.7.0.1 not a status", "250 2.0.0", "550 5.1 half"}};
    const TIdReplySMTP refused = read(lines);
    EXPECT_EQ(refused.code, 550);
    EXPECT_EQ(refused.enhancedCode, "5.1.1");
    EXPECT_EQ(refused.text[0], "5.1.1 <c@d>: Recipient address rejected"); // the text stays whole
    const EIdSMTPReplyError error(refused);
    EXPECT_STREQ(error.what(), "5.1.1 <c@d>: Recipient address rejected\r\n5.1.1 User unknown\r\n");
    EXPECT_EQ(error.reply().code, 550);

    EXPECT_EQ(read(lines).code, 0); // no digits: a code no command expects
    EXPECT_EQ(read(lines).code, 0);
    EXPECT_EQ(read(lines).enhancedCode, "");
    EXPECT_EQ(read(lines).enhancedCode, "2.0.0");
    EXPECT_EQ(read(lines).enhancedCode, "");

    EXPECT_EQ(enhancedStatusCode("4.7.123 try later"), "4.7.123");
    EXPECT_EQ(enhancedStatusCode("3.1.1 no such class"), "");
    EXPECT_EQ(enhancedStatusCode("5.1234.1 too long"), "");
    EXPECT_EQ(enhancedStatusCode("5..1"), "");
    EXPECT_EQ(enhancedStatusCode("5.1.1x"), "");
    EXPECT_EQ(enhancedStatusCode(""), "");
}

TEST(SmtpReply, EndlessContinuationLinesAreCutOffWithAClearError)
{
    size_t served = 0;
    const auto endless = [&] {
        ++served;
        return std::string("250-again and again");
    };
    EXPECT_THROW(readSmtpReply(endless), EIdSMTPReplyTooLong);
    EXPECT_EQ(served, kMaxSmtpReplyLines + 1);

    served = 0;
    const auto blanks = [&] {
        ++served;
        return std::string();
    };
    EXPECT_THROW(readSmtpReply(blanks), EIdSMTPReplyTooLong);
    EXPECT_EQ(served, kMaxSmtpReplyLines + 1);

    // A reply just inside the limit is read whole.
    SmtpReplyAssembler assembler;
    for (size_t i = 1; i < kMaxSmtpReplyLines; ++i)
        ASSERT_FALSE(assembler.addLine("250-x"));
    EXPECT_TRUE(assembler.addLine("250 last"));
    EXPECT_EQ(assembler.reply().text.size(), kMaxSmtpReplyLines);
}

} // namespace
} // namespace kestrin
