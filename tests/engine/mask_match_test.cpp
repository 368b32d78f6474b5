#include "engine/mask_match.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(MaskMatch, WithoutStarTheAddressMustBeEqual)
{
    EXPECT_TRUE(maskMatch("jan@example.com", "jan@example.com"));
    EXPECT_FALSE(maskMatch("jan@example.com", "Jan@example.com"));
    EXPECT_FALSE(maskMatch("jan@example.com", "jan@example.co"));
    EXPECT_TRUE(maskMatch("", ""));
    EXPECT_FALSE(maskMatch("a", ""));
}

TEST(MaskMatch, PrefixAndSuffixAroundTheFirstStar)
{
    EXPECT_TRUE(maskMatch("jan@example.com", "*@example.com"));
    EXPECT_FALSE(maskMatch("jan@example.com.pl", "*@example.com"));
    EXPECT_TRUE(maskMatch("jan@example.com", "jan@*"));
    EXPECT_TRUE(maskMatch("jan@example.com", "j*m"));
    EXPECT_TRUE(maskMatch("", "*"));
    EXPECT_TRUE(maskMatch("anything", "*"));
    // Prefix and suffix may overlap.
    EXPECT_TRUE(maskMatch("aba", "ab*ba"));
    EXPECT_FALSE(maskMatch("ab", "ab*ba"));
    // An address shorter than the suffix or prefix does not match.
    EXPECT_FALSE(maskMatch("m", "*@example.com"));
    EXPECT_FALSE(maskMatch("ja", "jan*"));
}

TEST(MaskMatch, LaterStarsAreOrdinaryCharacters)
{
    EXPECT_TRUE(maskMatch("x*y", "*x*y"));
    EXPECT_FALSE(maskMatch("xzy", "*x*y"));
    EXPECT_TRUE(maskMatch("a**", "a**"));
}
