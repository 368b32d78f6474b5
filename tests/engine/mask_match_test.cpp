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

TEST(MaskMatch, IgnoringCaseFoldsOnlyAsciiLettersOnBothSides)
{
    EXPECT_TRUE(maskMatchIgnoreCase("Jan@Example.COM", "jan@example.com"));
    EXPECT_TRUE(maskMatchIgnoreCase("jan@example.com", "*@EXAMPLE.com"));
    EXPECT_TRUE(maskMatchIgnoreCase("JAN@x", "jan@*"));
    EXPECT_TRUE(maskMatchIgnoreCase("aBa", "AB*bA")); // overlapping prefix and suffix
    EXPECT_FALSE(maskMatchIgnoreCase("Ab", "ab*BA"));
    EXPECT_FALSE(maskMatchIgnoreCase("m", "*@example.com"));
    EXPECT_FALSE(maskMatchIgnoreCase("jan@example.com.pl", "*@EXAMPLE.COM"));
    // Windows-1250 letters compare as they are: "Ł" (0xA3) is not "ł" (0xB3).
    EXPECT_TRUE(maskMatchIgnoreCase("\xA3ukasz@X.pl", "\xA3UKASZ@x.PL"));
    EXPECT_FALSE(maskMatchIgnoreCase("\xA3ukasz@x.pl", "\xB3ukasz@x.pl"));
    EXPECT_TRUE(maskMatchIgnoreCase("", "*"));
    EXPECT_FALSE(maskMatchIgnoreCase("a", ""));
}
