#include "mail/header_rules.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(HeaderRules, CharsetIsUpperCaseWithoutQuotes)
{
    EXPECT_EQ(charsetParameter("text/plain; charset=\"iso-8859-2\""), "ISO-8859-2");
    EXPECT_EQ(charsetParameter("text/plain; charset=windows-1250; format=flowed"), "WINDOWS-1250");
    EXPECT_EQ(charsetParameter("text/plain; CharSet=utf-8"), "UTF-8");
    EXPECT_EQ(charsetParameter("text/plain; charset=us-ascii ; x=y"), "US-ASCII");
    EXPECT_EQ(charsetParameter("text/plain; charset=\"unterminated"), "UNTERMINATED");
    EXPECT_EQ(charsetParameter("text/plain; charset="), "");
    EXPECT_EQ(charsetParameter("text/plain"), "");
    EXPECT_EQ(charsetParameter(""), "");
}

TEST(HeaderRules, PriorityFromNumberedValues)
{
    EXPECT_EQ(priorityFromHeader("1 (Highest)"), 0);
    EXPECT_EQ(priorityFromHeader("2"), 1);
    EXPECT_EQ(priorityFromHeader("3 (Normal)"), 2);
    EXPECT_EQ(priorityFromHeader("5 (Lowest)"), 4);
    EXPECT_EQ(priorityFromHeader(""), 2);
    EXPECT_EQ(priorityFromHeader("high"), 2);
    EXPECT_EQ(priorityFromHeader("1(Highest)"), 2);
}

TEST(HeaderRules, PriorityFromWords)
{
    EXPECT_EQ(priorityFromHeader("Urgent"), 1);
    EXPECT_EQ(priorityFromHeader("5 URGENT"), 1);
    EXPECT_EQ(priorityFromHeader("non-priority"), 3);
    EXPECT_EQ(priorityFromHeader("normal"), 2);
}

TEST(HeaderRules, PriorityStaysWithinTheFiveLevels)
{
    EXPECT_EQ(priorityFromHeader("0"), 0);
    EXPECT_EQ(priorityFromHeader("9"), 4);
    EXPECT_EQ(priorityFromHeader("-2147483648"), 0);
    EXPECT_EQ(priorityFromHeader("2147483647"), 4);
    EXPECT_EQ(priorityFromHeader("99999999999999999999999"), 2);
}

} // namespace
} // namespace kestrin
