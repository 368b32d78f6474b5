#include "bayes_test_support.h"
#include "engine/bayes_score.h"
#include "text/ascii_case.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace kestrin;
using kestrin::test::addFillerWords;
using kestrin::test::bayesWord;
using kestrin::test::repeatedToken;

namespace {

// The score exactly as described: a scan of the whole array per token.
uint64_t scannedScore(const std::vector<BayesWordRecord>& words, BayesList list, std::string_view text)
{
    uint64_t tokens = 0;
    uint64_t sum = 0;
    uint32_t maxStat = 0;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ')) {
        const std::string_view token = text.substr(0, blank);
        text.remove_prefix(blank + 1);
        ++tokens;
        for (const BayesWordRecord& word : words) {
            if (token.size() >= 4 && inBayesList(word, list) && equalsIgnoreCase(word.name, token))
                sum += word.stat;
        }
    }
    for (const BayesWordRecord& word : words) {
        if (inBayesList(word, list) && word.stat > maxStat)
            maxStat = word.stat;
    }
    return tokens * maxStat == 0 ? 0 : sum * 10000 / (tokens * maxStat);
}

} // namespace

TEST(BayesWordCount, CountsRecordsPerTable)
{
    std::vector<BayesWordRecord> words;
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 0u);
    words = {bayesWord("kredyt", BayesList::Spam, 3), bayesWord("kredyt", BayesList::Good, 1),
             bayesWord("tani", BayesList::Spam, 1), bayesWord("odd", BayesList::Spam, 1)};
    words.back().list = 7; // a damaged record belongs to neither table
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 1u);
    EXPECT_EQ(bayesWordCount(words, BayesList::Spam), 2u);

    const BayesWordIndex index(words);
    EXPECT_EQ(index.wordCount(BayesList::Good), 1u);
    EXPECT_EQ(index.wordCount(BayesList::Spam), 2u);
    EXPECT_EQ(index.maxStat(BayesList::Spam), 3u);
}

TEST(BayesScore, WorkedExamples)
{
    // Only «kredyt» (stat 10) in the spam table: «Tani» misses, «kredyt» adds
    // 10; n = 2, m = 10, so 10 * 10000 / 20.
    const std::vector<BayesWordRecord> single = {bayesWord("kredyt", BayesList::Spam, 10)};
    EXPECT_EQ(bayesScore(single, BayesList::Spam, "Tani kredyt "), 5000u);
    EXPECT_EQ(bayesScore(single, BayesList::Good, "Tani kredyt "), 0u);

    // Spam: kredyt 10, TANI 4 (m = 10). Good: kredyt 3, pozyczka 6 (m = 6).
    // Tokens Tani, kredyt, dla, was, kredyt: n = 5.
    // Spam sum 4 + 10 + 10 = 24 -> 240000 / 50 = 4800.
    // Good sum 3 + 3 = 6 -> 60000 / 30 = 2000.
    const std::vector<BayesWordRecord> words = {
        bayesWord("kredyt", BayesList::Spam, 10), bayesWord("TANI", BayesList::Spam, 4),
        bayesWord("kredyt", BayesList::Good, 3), bayesWord("pozyczka", BayesList::Good, 6)};
    const BayesWordIndex index(words);
    EXPECT_EQ(index.score(BayesList::Spam, "Tani kredyt dla was kredyt "), 4800u);
    EXPECT_EQ(index.score(BayesList::Good, "Tani kredyt dla was kredyt "), 2000u);
    EXPECT_EQ(index.scores("Tani kredyt dla was kredyt "), (BayesScores{2000, 4800}));
    // Truncating division: 10 * 10000 / 30.
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt abc zz "), 3333u);
}

TEST(BayesScore, TokensAreTextsBeforeBlanks)
{
    const std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 10),
                                                bayesWord("abc", BayesList::Spam, 10)};
    const BayesWordIndex index(words);
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt kredyt"), 10000u); // the last «kredyt» is no token
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt"), 0u);            // no blank, no token
    EXPECT_EQ(index.score(BayesList::Spam, ""), 0u);
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt  "), 5000u); // the empty token dilutes
    EXPECT_EQ(index.score(BayesList::Spam, " kredyt "), 5000u);
    EXPECT_EQ(index.score(BayesList::Spam, "abc "), 0u); // too short to be looked up, though stored
    EXPECT_EQ(index.score(BayesList::Spam, "abc ", 3), 10000u);
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt ", 7), 0u);
    EXPECT_EQ(index.score(BayesList::Spam, "kredyt,\tdom "), 0u); // punctuation and tabs stay in the token
}

TEST(BayesScore, CaseFoldingAndRepeatedRecords)
{
    std::vector<BayesWordRecord> words = {bayesWord("KreDyt", BayesList::Spam, 10),
                                          bayesWord("\xA3"
                                                    "ODZ",
                                                    BayesList::Spam, 10)}; // «ŁODZ»
    EXPECT_EQ(bayesScore(words, BayesList::Spam, "kREDYT "), 10000u);
    EXPECT_EQ(bayesScore(words, BayesList::Spam, "\xA3odz "), 10000u);
    EXPECT_EQ(bayesScore(words, BayesList::Spam, "\xB3odz "), 0u); // «ł» is no ASCII letter: not folded

    // Every record of the table with the name adds its stat, so the score can
    // pass 10000 when a table holds a name twice.
    words.push_back(bayesWord("kredyt", BayesList::Spam, 5));
    words.push_back(bayesWord("kredyt", BayesList::Good, 7)); // other table: not counted
    EXPECT_EQ(bayesScore(words, BayesList::Spam, "Kredyt "), 15000u);
    // A token repeated in the text counts every time.
    EXPECT_EQ(bayesScore(words, BayesList::Good, "kredyt kredyt dom "), 6666u);
}

TEST(BayesScore, LongMessageNoLongerOverflows)
{
    // 430 tokens of a word with the top stat 1000: sum 430000, and
    // 430000 * 10000 wraps in 32 bits to 5032704, which gave the score 11.
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 1000)};
    const std::string text = repeatedToken("kredyt", 430);
    EXPECT_EQ(bayesScore(words, BayesList::Spam, text), 10000u);
    EXPECT_EQ(bayesScore(words, BayesList::Spam, text + repeatedToken("inne", 430)), 5000u);

    // A whole megabyte of tokens still ends within the range.
    EXPECT_EQ(bayesScore(words, BayesList::Spam, repeatedToken("kredyt", 150000) + repeatedToken("xx", 150000)), 5000u);

    EXPECT_EQ(bayesScoreValue(0, 0, 5), 0u);
    EXPECT_EQ(bayesScoreValue(5, 3, 0), 0u);
    EXPECT_EQ(bayesScoreValue(std::numeric_limits<uint64_t>::max(), 1, 1), std::numeric_limits<uint64_t>::max());
    EXPECT_EQ(bayesScoreValue(std::numeric_limits<uint32_t>::max(), 1, std::numeric_limits<uint32_t>::max()), 10000u);
}

TEST(BayesScore, IndexAgreesWithArrayScan)
{
    std::mt19937 random(1234);
    const std::vector<std::string> vocabulary = {"kredyt", "KREDYT", "Kredyt", "tani", "TANI", "dom",  "oferta",
                                                 "Oferta", "money",  "MONEY",  "abc",  "",     "wins", "Wins!"};
    std::vector<BayesWordRecord> words;
    for (int i = 0; i < 60; ++i) {
        const auto& name = vocabulary[random() % vocabulary.size()];
        words.push_back(bayesWord(name, random() % 2 ? BayesList::Spam : BayesList::Good, static_cast<uint32_t>(random() % 1001)));
    }
    const BayesWordIndex index(words);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const size_t tokens = random() % 40;
        for (size_t i = 0; i < tokens; ++i)
            text += vocabulary[random() % vocabulary.size()] + (random() % 5 ? " " : "  ");
        for (const BayesList list : {BayesList::Good, BayesList::Spam})
            EXPECT_EQ(index.score(list, text), scannedScore(words, list, text)) << text;
    }
}
