#include "text/text_split.h"

#include <gtest/gtest.h>

using namespace kestrin;
using Parts = std::vector<std::string>;

TEST(TextSplit, CutsAtMostTheGivenNumberOfTimes)
{
    EXPECT_EQ(splitText("|", "a|b|c", 1), (Parts{"a", "b|c"}));
    EXPECT_EQ(splitText("|", "a|b|c", 2), (Parts{"a", "b", "c"}));
    EXPECT_EQ(splitText("|", "a|b|c", 0), (Parts{"a|b|c"}));
    EXPECT_EQ(splitText("|¦|", "a|¦|b|¦|c", 11), (Parts{"a", "b", "c"}));
    EXPECT_EQ(splitText("|¦|", "a|¦|b|¦|c", 1), (Parts{"a", "b|¦|c"}));
}

TEST(TextSplit, EdgesOfTheText)
{
    EXPECT_EQ(splitText("|", "", 5), (Parts{""}));
    EXPECT_EQ(splitText("|", "|", 5), (Parts{"", ""}));
    EXPECT_EQ(splitText("|", "a||", 5), (Parts{"a", "", ""}));
    EXPECT_EQ(splitText("", "a|b", 5), (Parts{"a|b"}));
    // Overlapping candidates: the first occurrence wins and the search resumes after it.
    EXPECT_EQ(splitText("aa", "aaa", 5), (Parts{"", "a"}));
}

TEST(TextJoin, SeparatorOnlyBetweenParts)
{
    EXPECT_EQ(joinText("|", {}), "");
    EXPECT_EQ(joinText("|", {"a"}), "a");
    EXPECT_EQ(joinText("|¦|", {"a", "", "c"}), "a|¦||¦|c");
    const std::string line = "run|x|¦|y|¦|z";
    EXPECT_EQ(joinText("|¦|", splitText("|¦|", line, 2)), line);
}
