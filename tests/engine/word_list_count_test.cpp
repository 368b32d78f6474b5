#include "engine/word_list_count.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(WordListCount, AllFoundGives1024OtherwiseTheNumberFound)
{
    EXPECT_EQ(wordListCount("abc", "a b"), 1024);
    EXPECT_EQ(wordListCount("abc", "a  b"), 2); // three words, one empty
    EXPECT_EQ(wordListCount("abc", "a x"), 1);
    EXPECT_EQ(wordListCount("abc", "x y"), 0);
    EXPECT_EQ(wordListCount("kredyt", "kredyt"), 1024);
    EXPECT_EQ(wordListCount("tanie kredyty", "tani kredyt"), 1024);
}

TEST(WordListCount, EmptyWordsCountAndAreNeverFound)
{
    EXPECT_EQ(wordListCount("abc", ""), 0);
    EXPECT_EQ(wordListCount("", ""), 0);
    EXPECT_EQ(wordListCount("abc", " a"), 1);
    EXPECT_EQ(wordListCount("abc", "a "), 1);
    EXPECT_EQ(wordListCount("a b", " "), 0);
}

TEST(WordListCount, HugeValuesDoNotWrap)
{
    // 65536 empty words: 16-bit totals would wrap to "0 of 0 found".
    EXPECT_EQ(wordListCount("abc", std::string(65535, ' ')), 0);
    std::string many;
    for (int i = 0; i < 70000; ++i)
        many += "a ";
    EXPECT_EQ(wordListCount("a", many), 65535); // 70000 found, one empty word missing
    many.pop_back();
    EXPECT_EQ(wordListCount("a", many), 1024);
}
