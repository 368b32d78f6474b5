#include "bayes_test_support.h"
#include "engine/bayes_last_use.h"
#include "engine/bayes_training.h"
#include "storage/record_row_limit.h"
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

// A full table of `size` words, word i last used on a day that cycles through March.
std::vector<BayesWordRecord> fullTable(BayesList list, size_t size)
{
    std::vector<BayesWordRecord> words;
    for (size_t i = 0; i < size; ++i)
        words.push_back(bayesWord("word" + std::to_string(i), list, 5, dayText(2 + static_cast<int>(i % 25))));
    return words;
}

std::vector<std::string> names(const std::vector<BayesWordRecord>& words)
{
    std::vector<std::string> result;
    for (const BayesWordRecord& word : words)
        result.push_back(word.name);
    return result;
}

} // namespace

TEST(BayesTraining, EveryDistinctWordCountsOncePerMessage)
{
    std::vector<BayesWordRecord> words;
    bayesTrain(words, BayesList::Spam, "Tani kredyt, tani KREDYT! kredyt dla w1 w2 w3 w4 w5 w6 w7 w8 w9 w10 w11", kNow);
    EXPECT_EQ(names(words), (std::vector<std::string>{"Tani", "kredyt"}))
        << "short words (dla, w1 ...) are no words; repeats count once";
    for (const BayesWordRecord& word : words) {
        EXPECT_EQ(word.list, 1);
        EXPECT_EQ(word.stat, 1u);
        EXPECT_EQ(word.lastuse, kNowText);
    }

    // Far more than ten words: all of them.
    std::string many;
    for (int i = 0; i < 300; ++i)
        many += "slowo" + std::to_string(i) + " ";
    bayesTrain(words, BayesList::Good, many + many, kNow);
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 300u);

    // A second message with the same words: each counts one more message.
    bayesTrain(words, BayesList::Spam, "kredyt kredyt kredyt", kNow);
    EXPECT_EQ(words[1].stat, 2u);
    EXPECT_EQ(words[0].stat, 1u);

    bayesTrain(words, BayesList::Good, "", kNow);
    bayesTrain(words, BayesList::Good, "  ab  cd ", kNow);
    EXPECT_EQ(words.size(), 302u);

    // A message of endless distinct words teaches only its first ones.
    std::string flood;
    for (size_t i = 0; i < kBayesMaxMessageWords + 100; ++i)
        flood += "flood" + std::to_string(i) + " ";
    words.clear();
    bayesTrain(words, BayesList::Spam, flood, kNow);
    EXPECT_EQ(words.size(), kBayesMaxMessageWords);
    EXPECT_EQ(words.back().name, "flood" + std::to_string(kBayesMaxMessageWords - 1));
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

    // A neutralised word counts from zero again.
    words[0].stat = 0;
    bayesTrain(words, BayesList::Good, "kredyt", kNow);
    EXPECT_EQ(words[0].stat, 1u);
}

TEST(BayesTraining, StatStopsInsteadOfWrapping)
{
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, kBayesMaxStat),
                                          bayesWord("tani", BayesList::Spam, kBayesMaxStat - 1),
                                          bayesWord("dawny", BayesList::Spam, 0xffffffffu)};
    bayesTrain(words, BayesList::Spam, "kredyt tani dawny", kNow);
    EXPECT_EQ(words[0].stat, kBayesMaxStat);
    EXPECT_EQ(words[0].lastuse, kNowText);
    EXPECT_EQ(words[1].stat, kBayesMaxStat);
    EXPECT_EQ(words[2].stat, kBayesMaxStat); // a hand-edited count above the limit comes down to it
}

TEST(BayesTraining, TablesHoldFiftyThousandWords)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Spam, kBayesMaxTableWords - 1);
    bayesTrain(words, BayesList::Spam, "ostatnie nadmiarowe", kNow);
    ASSERT_EQ(words.size(), kBayesMaxTableWords);
    EXPECT_EQ(words.back().name, "ostatnie");
    // «nadmiarowe» took the place of the oldest word (day 2: word0, the first of equals).
    EXPECT_EQ(words[0].name, "nadmiarowe");
    bayesTrain(words, BayesList::Good, "dobre", kNow);
    EXPECT_EQ(words.size(), kBayesMaxTableWords + 1) << "the other table still grows";
}

TEST(BayesTraining, BothTablesFitTheWordFile)
{
    static_assert(2 * kBayesMaxTableWords <= kMaxRecordRows);
    // A damaged file full of records of neither table: nothing more is appended.
    std::vector<BayesWordRecord> words(kMaxRecordRows, bayesWord("zepsute", BayesList::Good, 1));
    for (BayesWordRecord& word : words)
        word.list = 7;
    bayesTrain(words, BayesList::Spam, "nowe", kNow);
    EXPECT_EQ(words.size(), kMaxRecordRows);
    EXPECT_EQ(bayesWordCount(words, BayesList::Spam), 0u);
}

TEST(BayesTraining, FullTableReplacesTheLeastRecentlyUsedWords)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Spam, 400);
    // Older words in the other table are not candidates.
    words.insert(words.begin(), bayesWord("dobre", BayesList::Good, 3, "2000-01-01 00:00:00"));
    words[101].lastuse = "2024-03-01 08:00:00"; // word100: the oldest, twice
    words[201].lastuse = "2024-03-01 08:00:00"; // word200
    words[301].stat = 0;                        // word300 neutralised: the zero date-time
    words[301].lastuse = defaultDateTimeText(0);
    bayesTrain(words, BayesList::Spam, "pierwsze word5 drugie trzecie czwarte", kNow, 400);
    ASSERT_EQ(words.size(), 401u);
    EXPECT_EQ(words[301].name, "pierwsze"); // the neutralised word goes first
    EXPECT_EQ(words[101].name, "drugie");   // then the oldest, first of equals in array order
    EXPECT_EQ(words[201].name, "trzecie");
    EXPECT_EQ(words[1].name, "czwarte"); // word0: day 2, the first of the next oldest
    EXPECT_EQ(words[101].stat, 1u);
    EXPECT_EQ(words[101].list, 1);
    EXPECT_EQ(words[101].lastuse, kNowText);
    EXPECT_EQ(words[6].name, "word5"); // trained, not replaced
    EXPECT_EQ(words[6].stat, 6u);
    EXPECT_EQ(words[0].name, "dobre");
}

TEST(BayesTraining, FullTableWithoutOlderWordDropsTheWord)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Good, 400);
    for (BayesWordRecord& word : words)
        word.lastuse = "2024-05-10 12:00:01"; // after now (the clock went back)
    words[5].lastuse = defaultDateTimeText(encodeDateTime({2024, 5, 10, 12, 0, 0, 0}));
    bayesTrain(words, BayesList::Good, "pierwsze drugie", kNow, 400);
    // Only word5, half a second before now, qualifies; «pierwsze» takes it. A
    // word this mark wrote is no candidate, so «drugie» is dropped.
    EXPECT_EQ(words[5].name, "pierwsze");
    EXPECT_EQ(words.size(), 400u);
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 400u);

    const std::vector<BayesWordRecord> before = words;
    for (BayesWordRecord& word : words)
        word.lastuse = "2024-05-10 12:00:01";
    bayesTrain(words, BayesList::Good, "trzecie", kNow, 400);
    EXPECT_EQ(names(words), names(before));
}

TEST(BayesTraining, UnreadableLastUseIsReplacedFirst)
{
    std::vector<BayesWordRecord> words = fullTable(BayesList::Spam, 400);
    words[7].lastuse = "wczoraj";
    words[9].lastuse = "";
    bayesTrain(words, BayesList::Spam, "word3 nowe inne", kNow, 400);
    EXPECT_EQ(words[3].stat, 6u);
    EXPECT_EQ(words[7].name, "nowe");
    EXPECT_EQ(words[7].lastuse, kNowText); // repaired
    EXPECT_EQ(words[9].name, "inne");
    EXPECT_EQ(words.size(), 400u);
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
