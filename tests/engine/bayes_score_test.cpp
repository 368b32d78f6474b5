#include "bayes_test_support.h"
#include "engine/bayes_score.h"

#include <gtest/gtest.h>

#include <limits>

using namespace kestrin;
using kestrin::test::addFillerWords;
using kestrin::test::bayesWord;

TEST(BayesWordCount, CountsRecordsPerTable)
{
    std::vector<BayesWordRecord> words;
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 0u);
    words = {bayesWord("kredyt", BayesList::Spam, 3), bayesWord("kredyt", BayesList::Good, 1),
             bayesWord("tani", BayesList::Spam, 1), bayesWord("odd", BayesList::Spam, 1)};
    words.back().list = 7; // a damaged record belongs to neither table
    EXPECT_EQ(bayesWordCount(words, BayesList::Good), 1u);
    EXPECT_EQ(bayesWordCount(words, BayesList::Spam), 2u);

    const BayesWordIndex index(words, {10, 10});
    EXPECT_EQ(index.wordCount(BayesList::Good), 1u);
    EXPECT_EQ(index.wordCount(BayesList::Spam), 2u);
}

TEST(BayesScore, MessageCountsAreNeverBelowAWordsCount)
{
    const std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 40),
                                                bayesWord("Kredyt", BayesList::Spam, 5), // same word: adds up
                                                bayesWord("alpha", BayesList::Good, 3)};
    struct Case {
        BayesMessageCounts marked;
        uint64_t good, spam;
    };
    for (const Case& c : std::vector<Case>{{{0, 0}, 3, 45}, {{100, 20}, 100, 45}, {{2, 60}, 3, 60}}) {
        const BayesWordIndex index(words, c.marked);
        EXPECT_EQ(index.messages().good, c.good);
        EXPECT_EQ(index.messages().spam, c.spam);
    }
}

TEST(BayesScore, WordProbabilityFoldsCaseAndAddsRecords)
{
    BayesParameters p;
    const std::vector<BayesWordRecord> words = {
        bayesWord("KreDyt", BayesList::Spam, 6), bayesWord("kredyt", BayesList::Spam, 3),
        bayesWord("kredyt", BayesList::Good, 1), bayesWord("\xA3ODZ", BayesList::Good, 5)}; // «ŁODZ»
    const BayesWordIndex index(words, {10, 10}, p);
    EXPECT_DOUBLE_EQ(index.wordProbability("kREDYT"), robinsonProbability(1, 9, {10, 10}, p));
    EXPECT_DOUBLE_EQ(index.wordProbability("\xA3odz"), robinsonProbability(5, 0, {10, 10}, p));
    EXPECT_DOUBLE_EQ(index.wordProbability("\xB3odz"), p.priorProbability); // «ł» is no ASCII letter
    EXPECT_DOUBLE_EQ(index.wordProbability("nieznane"), p.priorProbability);
}

TEST(BayesScore, OnlyTellingWordsCount)
{
    BayesParameters p;
    p.maxWords = 3;
    std::vector<BayesWordRecord> words = {
        bayesWord("kredyt", BayesList::Spam, 10), bayesWord("tani", BayesList::Spam, 9),
        bayesWord("oferta", BayesList::Spam, 8),  bayesWord("szybko", BayesList::Spam, 7),
        bayesWord("neutral", BayesList::Spam, 5), bayesWord("neutral", BayesList::Good, 5)};
    const BayesWordIndex index(words, {10, 10}, p);
    struct Case {
        const char* text;
        size_t words;
    };
    const std::vector<Case> cases = {
        {"", 0},
        {"neutral nieznane slowo ", 0},            // near 0.5 or the prior: no evidence
        {"kredyt kredyt KREDYT ", 1},              // one distinct word
        {"kredyt tani oferta szybko neutral ", 3}, // at most maxWords, the strongest
    };
    for (const Case& c : cases)
        EXPECT_EQ(index.score(c.text).words, c.words) << c.text;
    EXPECT_DOUBLE_EQ(index.score("neutral ").spamicity, 0.5);
    // The three strongest decide: «szybko», the weakest, makes no difference.
    EXPECT_DOUBLE_EQ(index.score("kredyt tani oferta szybko ").spamicity, index.score("kredyt tani oferta ").spamicity);
}

TEST(BayesScore, HugeCountsStayInRange)
{
    // Counts from a hand-edited file that would wrap 32 or 64 bits when added.
    const uint32_t top = std::numeric_limits<uint32_t>::max();
    std::vector<BayesWordRecord> words;
    for (int i = 0; i < 4; ++i)
        words.push_back(bayesWord("kredyt", BayesList::Spam, top));
    words.push_back(bayesWord("kredyt", BayesList::Good, 1));
    addFillerWords(words, BayesList::Good, 30);
    const BayesWordIndex index(words, {top, top});
    const BayesScores scores = index.score("kredyt ");
    EXPECT_EQ(scores.words, 1u);
    EXPECT_GT(scores.spamicity, 0.5);
    EXPECT_LE(scores.spamicity, 1.0);
}
