#include "engine/top_words.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(TopWords, CaseSensitiveTallySortedStably)
{
    EXPECT_EQ(topWords("Kredyt kredyt kredyt tani tani dom", 4, 10), "kredyt tani Kredyt");
    EXPECT_EQ(topWords("bbbb aaaa cccc aaaa", 4, 10), "aaaa bbbb cccc");
    EXPECT_EQ(topWords("bbbb aaaa cccc aaaa", 4, 2), "aaaa bbbb");
    EXPECT_EQ(topWords("bbbb aaaa", 4, 0), "");
    EXPECT_EQ(topWords("", 4, 10), "");
    EXPECT_EQ(topWords("ab abc", 4, 10), "");
}

TEST(TopWords, OnlyBlanksCutWords)
{
    EXPECT_EQ(topWords("word,\tword, line\r\nnext", 4, 10), "word,\tword, line\r\nnext");
    EXPECT_EQ(topWords("  abcd  abcd ", 4, 10), "abcd");
    // With no minimum length the empty words between blanks are tallied too.
    EXPECT_EQ(topWords("a  a", 0, 10), "a ");
    // A one-line blob is no word; words up to the limit still count.
    const std::string longest(kMaxTopWordLength, 'x');
    EXPECT_EQ(topWords("blob " + longest + "y " + longest + " blob", 4, 10), "blob " + longest);
}

TEST(TopWords, TallyHoldsAtMost1024Words)
{
    std::string text;
    for (int i = 0; i < 1100; ++i)
        text += "word" + std::to_string(i) + " ";
    text += "word1050 word1050 word0";
    // word1050 came after the tally was full, so it is ignored however often it recurs.
    EXPECT_EQ(topWords(text, 4, 2), "word0 word1");
}

TEST(TopWords, MultiMegabyteTextAndSaturatedCounts)
{
    std::string text;
    text.reserve(8'000'000);
    text += "rare ";
    for (int i = 0; i < 70000; ++i)
        text += "often ";
    for (int i = 0; i < 50000; ++i)
        text += "spam" + std::to_string(i % 10) + " ";
    for (int i = 0; i < 600000; ++i)
        text += "bulk" + std::to_string(i % 1000) + " ";
    ASSERT_GT(text.size(), 5'000'000u);
    // "often" occurs 70000 times; a wrapped 16-bit count (4464) would rank it
    // below the 5000 occurrences of each spamN.
    EXPECT_EQ(topWords(text, 4, 3), "often spam0 spam1");
}
