#include "bayes_test_support.h"
#include "engine/bayes_last_use.h"
#include "engine/bayes_training.h"
#include "text/convert_error.h"
#include "text/date_text.h"

#include <gtest/gtest.h>

using namespace kestrin;
using kestrin::test::bayesWord;

namespace {

// Half a second past noon: a word trained now reads back strictly earlier.
const TDateTime kNow = encodeDateTime({2024, 5, 10, 12, 0, 0, 500});
const std::string kNowText = "2024-05-10 12:00:00";

std::string dayText(int day)
{
    return defaultDateTimeText(encodeDateTime({2024, 3, day, 8, 0, 0, 0}));
}

// A full table: 400 words, word i last used on a day that cycles through March.
std::vector<BayesWordRecord> fullTable(BayesList list)
{
    std::vector<BayesWordRecord> words;
    for (int i = 0; i < 400; ++i)
        words.push_back(bayesWord("word" + std::to_string(i), list, 5, dayText(2 + i % 25)));
    return words;
}

} // namespace

TEST(BayesTraining, AddsAtMostTenParts)
{
    std::vector<BayesWordRecord> words;
    bayesTrain(words, BayesList::Spam, "w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11  w12", kNow);
    ASSERT_EQ(words.size(), 10u);
    EXPECT_EQ(words[0].name, "w1");
    EXPECT_EQ(words[8].name, "w9");
    EXPECT_EQ(words[9].name, "w10 w11  w12"); // the tenth part keeps the rest, blanks included
    for (const BayesWordRecord& word : words) {
        EXPECT_EQ(word.list, 1);
        EXPECT_EQ(word.stat, 1u);
        EXPECT_EQ(word.lastuse, kNowText);
    }

    // Empty parts are skipped but use up cuts; short words are trained too.
    words.clear();
    bayesTrain(words, BayesList::Good, "  ab  cd ", kNow);
    ASSERT_EQ(words.size(), 2u);
    EXPECT_EQ(words[0].name, "ab");
    EXPECT_EQ(words[1].name, "cd");
    EXPECT_EQ(words[1].list, 0);
    bayesTrain(words, BayesList::Good, "", kNow);
    EXPECT_EQ(words.size(), 2u);
}

TEST(BayesTraining, RefreshesTheFirstRecordOfTheSameTable)
{
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Good, 7),
                                          bayesWord("kredyt", BayesList::Spam, 3),
                                          bayesWord("KREDYT", BayesList::Spam, 9)};
    bayesTrain(words, BayesList::Spam, "Kredyt", kNow);
    ASSERT_EQ(words.size(), 3u);
    EXPECT_EQ(words[1].name, "kredyt"); // the first spelling stays
    EXPECT_EQ(words[1].stat, 4u);
    EXPECT_EQ(words[1].lastuse, kNowText);
    EXPECT_EQ(words[2].stat, 9u);
    EXPECT_EQ(words[0].stat, 7u); // the good table is another table
    EXPECT_EQ(words[0].lastuse, "2024-01-01 00:00:00");

    // A word repeated in one training counts twice; a new one is appended.
    bayesTrain(words, BayesList::Good, "tani TANI", kNow);
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[3].name, "tani");
    EXPECT_EQ(words[3].stat, 2u);
}

TEST(BayesTraining, StatStopsAtOneThousand)
{
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 1000),
                                          bayesWord("tani", BayesList::Spam, 999)};
    bayesTrain(words, BayesList::Spam, "kredyt tani", kNow);
    EXPECT_EQ(words[0].stat, 1000u);
    EXPECT_EQ(words[0].lastuse, kNowText);
    EXPECT_EQ(words[1].stat, 1000u);
    bayesTrain(words, BayesList::Spam, "tani", kNow);
    EXPECT_EQ(words[1].stat, 1000u);
}

TEST(BayesTraining, FullTableReplacesTheLeastRecentlyUsedWord)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Spam);
    // Older words in the other table are not candidates.
    words.insert(words.begin(), bayesWord("dobre", BayesList::Good, 3, "2000-01-01 00:00:00"));
    words[101].lastuse = "2024-03-01 08:00:00"; // word100: the oldest, twice
    words[201].lastuse = "2024-03-01 08:00:00"; // word200
    bayesTrain(words, BayesList::Spam, "nowe", kNow);
    ASSERT_EQ(words.size(), 401u);
    EXPECT_EQ(words[101].name, "nowe"); // the first of the equal oldest
    EXPECT_EQ(words[101].stat, 1u);
    EXPECT_EQ(words[101].list, 1);
    EXPECT_EQ(words[101].lastuse, kNowText);
    EXPECT_EQ(words[201].name, "word200");
    EXPECT_EQ(words[0].name, "dobre");

    bayesTrain(words, BayesList::Spam, "drugie", kNow);
    EXPECT_EQ(words[201].name, "drugie");
    EXPECT_EQ(words.size(), 401u);

    // A neutralised word (stat 0, the zero date-time) goes first.
    words[300].stat = 0;
    words[300].lastuse = defaultDateTimeText(0);
    bayesTrain(words, BayesList::Spam, "trzecie", kNow);
    EXPECT_EQ(words[300].name, "trzecie");

    // The other table is not full: it still grows.
    bayesTrain(words, BayesList::Good, "nowe", kNow);
    EXPECT_EQ(words.size(), 402u);
}

TEST(BayesTraining, FullTableWithoutOlderWordDropsTheWord)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Good);
    for (BayesWordRecord& word : words)
        word.lastuse = "2024-05-10 12:00:01"; // after now (the clock went back)
    words[5].lastuse = defaultDateTimeText(encodeDateTime({2024, 5, 10, 12, 0, 0, 0}));
    bayesTrain(words, BayesList::Good, "pierwsze drugie", kNow);
    // Only word5, half a second before now, qualifies; «pierwsze» takes it, and
    // its own new lastuse is again half a second old, so «drugie» takes it next.
    EXPECT_EQ(words[5].name, "drugie");
    EXPECT_EQ(words.size(), 400u);

    for (BayesWordRecord& word : words)
        word.lastuse = "2024-05-10 12:00:01";
    const std::vector<BayesWordRecord> before = words;
    bayesTrain(words, BayesList::Good, "trzecie", kNow);
    EXPECT_EQ(words.size(), 400u);
    for (size_t i = 0; i < words.size(); ++i)
        EXPECT_EQ(words[i].name, before[i].name);
}

TEST(BayesTraining, UnreadableLastUseFailsTheReplacement)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Spam);
    words[7].lastuse = "wczoraj";
    EXPECT_THROW(bayesTrain(words, BayesList::Spam, "word3 nowe word4", kNow), EConvertError);
    EXPECT_EQ(words[3].stat, 6u); // trained before the failure
    EXPECT_EQ(words[4].stat, 5u);
    EXPECT_EQ(words.size(), 400u);
    // Below the limit nothing is read back, so the same word does no harm.
    words.pop_back();
    EXPECT_NO_THROW(bayesTrain(words, BayesList::Spam, "nowe", kNow));
    EXPECT_EQ(words.back().name, "nowe");
}

TEST(BayesLastUse, ReadsTheDefaultFormBack)
{
    const TDateTime value = encodeDateTime({2023, 12, 31, 23, 59, 58, 0});
    EXPECT_DOUBLE_EQ(readLastUse(defaultDateTimeText(value)), value);
    EXPECT_DOUBLE_EQ(readLastUse(defaultDateTimeText(0)), 0.0);
    EXPECT_DOUBLE_EQ(readLastUse("2024-02-29"), encodeDateTime({2024, 2, 29, 0, 0, 0, 0}));
    EXPECT_DOUBLE_EQ(readLastUse(" 2024-3-5 7:05 "), encodeDateTime({2024, 3, 5, 7, 5, 0, 0}));
    for (const char* bad :
         {"", " ", "wczoraj", "2023-02-29", "2024-13-01", "2024-01-00", "2024-01-01 24:00:00", "2024-01-01 10:60",
          "2024-01-01 10", "2024-01-01 10:00:00x", "24-01-01", "2024-01-01T10:00:00", "2024-01-01 10:00:"}) {
        EXPECT_THROW(readLastUse(bad), EConvertError) << bad;
    }
    try {
        readLastUse("abc");
        ADD_FAILURE() << "no EConvertError";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid date and time");
    }
}
