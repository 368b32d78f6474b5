#include "text/ascii_case.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(Cp1250, EveryByteSurvivesARoundTrip)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(utf8ToCp1250(cp1250ToUtf8(all)), all);
}

TEST(Cp1250, PolishLettersMapBothWays)
{
    // "Zażółć gęślą jaźń" in Windows-1250 bytes.
    const std::string win = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";
    EXPECT_EQ(cp1250ToUtf8(win), "Zażółć gęślą jaźń");
    EXPECT_EQ(winLiteral("Zażółć gęślą jaźń"), win);
    EXPECT_EQ(cp1250ToUtf8("\xA6"), "¦");
    EXPECT_EQ(cp1250ToUtf8("\x80"), "€");
}

TEST(Cp1250, UndefinedBytesKeepTheirValueAsCodePoints)
{
    for (int b : {0x81, 0x83, 0x88, 0x90, 0x98})
        EXPECT_EQ(cp1250ToCodePoint(static_cast<unsigned char>(b)), static_cast<char32_t>(b));
}

TEST(Cp1250, UnmappableAndMalformedInputBecomesQuestionMarks)
{
    EXPECT_EQ(utf8ToCp1250("a€b"), "a\x80"
                                   "b");
    EXPECT_EQ(utf8ToCp1250("日本"), "??");
    EXPECT_EQ(utf8ToCp1250("x\xC3"), "x?");       // truncated sequence at the end
    EXPECT_EQ(utf8ToCp1250("\xC0\xAF"), "?");     // an overlong "/" is refused whole
    EXPECT_EQ(utf8ToCp1250("\xED\xA0\x80"), "?"); // a surrogate is no character
}

TEST(AsciiCase, FoldsOnlyAsciiLetters)
{
    EXPECT_EQ(lowerAscii("ABC xyz \xA3\xA5"), "abc xyz \xA3\xA5"); // Ł and Ą stay capitals
    EXPECT_EQ(upperAscii("abc \xB3"), "ABC \xB3");
    EXPECT_TRUE(equalsIgnoreCase("Content-Type", "content-TYPE"));
    EXPECT_FALSE(equalsIgnoreCase("\xA3", "\xB3"));
    EXPECT_TRUE(startsWithIgnoreCase("X-Mailer: x", "x-mailer"));
    EXPECT_FALSE(startsWithIgnoreCase("X-M", "x-mailer"));
    EXPECT_EQ(findIgnoreCase("buy VIAGRA now", "viagra"), 4u);
    EXPECT_EQ(findIgnoreCase("ab", "abc"), std::string::npos);
}

} // namespace
} // namespace kestrin
