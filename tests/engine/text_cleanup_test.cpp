#include "engine/char_removal.h"
#include "engine/tag_stripping.h"

#include <gtest/gtest.h>

#include <random>

using namespace kestrin;

namespace {

// The repeated-removal rule exactly as stated, quadratic but obviously right.
std::string naiveStripTags(std::string text)
{
    while (text.find('<') != std::string::npos && text.find('>') != std::string::npos) {
        const size_t open = text.find('<');
        const size_t close = text.find('>', open);
        if (close != std::string::npos)
            text.erase(open, close - open + 1);
        else
            text.erase(open, 1);
    }
    return text;
}

} // namespace

TEST(TagStripping, WorkedExamples)
{
    EXPECT_EQ(stripTags("a<b>c<d"), "ac<d");
    EXPECT_EQ(stripTags("x > y < z"), "x > y  z");
    EXPECT_EQ(stripTags("cl<b></b>ick"), "click");
    EXPECT_EQ(stripTags("<<a>b>"), "b>");
    EXPECT_EQ(stripTags("no tags"), "no tags");
    EXPECT_EQ(stripTags(""), "");
    EXPECT_EQ(stripTags(">a<b<c"), ">abc");
    EXPECT_EQ(stripTags("<a"), "<a");
    EXPECT_EQ(stripTags("a>"), "a>");
}

TEST(TagStripping, EqualsTheRepeatedRemovalOnRandomText)
{
    std::mt19937 random(20240611);
    const std::string alphabet = "<>a ";
    for (int round = 0; round < 20000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(stripTags(text), naiveStripTags(text)) << "input: " << text;
    }
}

TEST(TagStripping, HostileMegabytesFinish)
{
    // Each of these makes the repeated removal quadratic.
    const std::string opens(4'000'000, '<');
    EXPECT_EQ(stripTags(">" + opens), ">");
    EXPECT_EQ(stripTags(opens), opens);
    std::string pairs;
    for (int i = 0; i < 1'000'000; ++i)
        pairs += "<b>x";
    EXPECT_EQ(stripTags(pairs), std::string(1'000'000, 'x'));
}

TEST(CharRemoval, RemovesEveryListedByte)
{
    EXPECT_EQ(removeChars("v!a#g*r(a)", "!#$%^&*()"), "vagra");
    EXPECT_EQ(removeChars("abc", ""), "abc");
    EXPECT_EQ(removeChars("", "abc"), "");
    EXPECT_EQ(removeChars("aAbB", "a"), "AbB");
    // Windows-1250 bytes above 127 are matched exactly too.
    EXPECT_EQ(removeChars("\xB9x\xA5", "\xB9"), "x\xA5");
    EXPECT_EQ(removeChars("aaa", "aa"), "");
}
