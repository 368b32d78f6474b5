#include "engine/message_text.h"
#include "message_builder.h"

#include <gtest/gtest.h>

using namespace kestrin;
using namespace kestrin::test;
using Kind = TIdMessagePart::Kind;

TEST(MessageText, PlainBodyLinesEachFollowedByTheSeparator)
{
    TIdMessage message;
    EXPECT_EQ(messageText(message, " "), "");
    message.Body = {"one", "two"};
    EXPECT_EQ(messageText(message, " "), "one two ");
    EXPECT_EQ(messageText(message, "\r\n"), "one\r\ntwo\r\n");
    message.Body = {"a\rb\nc", "\r\n"};
    EXPECT_EQ(messageText(message, " "), "abc  ");
    // Only the single-blank separator removes line breaks.
    EXPECT_EQ(messageText(message, "  "), "a\rb\nc  \r\n  ");
}

TEST(MessageText, FirstTextPartWinsEvenWhenEmpty)
{
    TIdMessage message;
    message.Body = {"plain"};
    message.parts = {part(Kind::Attachment, {}), part(Kind::Text, {"first", "part"}), part(Kind::Text, {"second"})};
    EXPECT_EQ(messageText(message, " "), "first part ");

    message.parts = {part(Kind::Text, {}), part(Kind::Text, {"later"})};
    EXPECT_EQ(messageText(message, " "), "");

    message.parts = {part(Kind::Attachment, {"ignored"})};
    EXPECT_EQ(messageText(message, " "), "plain ");
}
