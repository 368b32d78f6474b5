#include "engine/header_line_value.h"
#include "message_builder.h"

#include <gtest/gtest.h>

using namespace kestrin;
using namespace kestrin::test;

TEST(HeaderLineValue, FirstLineBeginningWithTheNameIgnoringCase)
{
    const TIdMessage message =
        messageWithHeaders({"From: a@b", "x-mailer-info: skipped?", "X-Mailer: Real 1.0", "x-priority: 3 (Normal)"});
    // A longer header name standing first is taken for the shorter one.
    const HeaderLineValue mailer = headerLineValue(message, "X-Mailer");
    EXPECT_TRUE(mailer.found);
    EXPECT_EQ(mailer.value, "nfo: skipped?");

    const HeaderLineValue priority = headerLineValue(message, "X-Priority");
    EXPECT_TRUE(priority.found);
    EXPECT_EQ(priority.value, "3 (Normal)");

    const HeaderLineValue missing = headerLineValue(message, "MIME-Version");
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.value, "");
}

TEST(HeaderLineValue, ShortLinesGiveAnEmptyValue)
{
    EXPECT_EQ(headerLineValue(messageWithHeaders({"X-Priority"}), "X-Priority").value, "");
    EXPECT_TRUE(headerLineValue(messageWithHeaders({"X-Priority"}), "X-Priority").found);
    EXPECT_EQ(headerLineValue(messageWithHeaders({"X-Priority:"}), "X-Priority").value, "");
    EXPECT_EQ(headerLineValue(messageWithHeaders({"X-Priority: "}), "X-Priority").value, "");
    EXPECT_EQ(headerLineValue(messageWithHeaders({"X-Priority: 1"}), "X-Priority").value, "1");
    // No unfolding and no trimming: the value is the rest of the raw line.
    const TIdMessage folded = messageWithHeaders({"X-Mailer: a  ", "\tcontinued"});
    EXPECT_EQ(headerLineValue(folded, "X-Mailer").value, "a  ");
    EXPECT_FALSE(headerLineValue(messageWithHeaders({"X-Pri"}), "X-Priority").found);
}
