// The viewer's operations on the word tables, and a word file written before
// the tables grew: 400 words a table, counts of occurrences.
#include "bayes_test_support.h"
#include "engine/bayes_database.h"
#include "engine/bayes_training.h"
#include "engine/bayes_verdict.h"
#include "storage/record_database.h"
#include "storage/record_tables.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <unistd.h>

using namespace kestrin;
using kestrin::test::addFillerWords;
using kestrin::test::bayesWord;

TEST(BayesDatabase, CountTextShowsTheTableSize)
{
    std::vector<BayesWordRecord> words;
    addFillerWords(words, BayesList::Good, 12);
    EXPECT_EQ(bayesTableCountText(words, BayesList::Good), "12 / 32000");
    EXPECT_EQ(bayesTableCountText(words, BayesList::Spam), "0 / 32000");
}

TEST(BayesDatabase, NeutralisedWordStaysButCountsForNothing)
{
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 30),
                                          bayesWord("projekt", BayesList::Good, 30)};
    addFillerWords(words, BayesList::Spam, 2);
    EXPECT_FALSE(neutraliseBayesWord(words, words.size()));
    ASSERT_TRUE(neutraliseBayesWord(words, 0));
    EXPECT_EQ(words[0].name, "kredyt");
    EXPECT_EQ(words[0].list, 1);
    EXPECT_EQ(words[0].stat, 0u);
    EXPECT_EQ(words[0].lastuse, "1899-12-30");

    // No evidence any more: «kredyt» alone is no longer spam.
    const BayesClassifier classifier(words, {30, 30});
    EXPECT_EQ(classifier.judge("kredyt ", false).scores.words, 0u);
    EXPECT_FALSE(classifier.isSpam("kredyt ", false));

    // In a full table it is the first to go.
    const TDateTime now = encodeDateTime({2024, 5, 10, 12, 0, 0, 0});
    bayesTrain(words, BayesList::Spam, "nowe", now, 3);
    EXPECT_EQ(words[0].name, "nowe");
}

TEST(BayesDatabase, ClearEmptiesTablesAndTheirCounters)
{
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Spam, 30)};
    StatsTotals totals{7, 6, 5, 40, 3, 20, 20};
    clearBayesDatabase(words, totals);
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(totals, (StatsTotals{7, 6, 5, 0, 0, 0, 0})) << "the message counters stay";
    EXPECT_FALSE(neutraliseBayesWord(words, 0));
    EXPECT_FALSE(BayesClassifier(words, {totals.bayList0, totals.bayList1}).judge("kredyt ", false).trained);
}

TEST(BayesDatabase, OlderFourHundredWordFileLoadsAndIsUsed)
{
    // Written as the older program wrote it: its own columns, 400 words a
    // table, `stat` counting occurrences of the top words of 60 marks each.
    RecordTable table;
    table.columns = {"name", "list", "stat", "lastuse"};
    for (int i = 0; i < 400; ++i) {
        const std::string n = std::to_string(i);
        table.rows.push_back(
            {"spamword" + n, "1", i < 10 ? "60" : "2", "2019-04-0" + std::to_string(1 + i % 9) + " 10:00:00"});
        table.rows.push_back({"goodword" + n, "0", i < 10 ? "60" : "2", "2019-04-01 10:00:00"});
    }
    const auto folder = std::filesystem::temp_directory_path() / ("kestrin-bayes-old-" + std::to_string(::getpid()));
    writeRecordFile(recordFilePath(folder.string(), RecordKind::BayesWords), table);

    std::vector<BayesWordRecord> words = loadBayesWords(folder.string());
    std::filesystem::remove_all(folder);
    ASSERT_EQ(words.size(), 800u);
    EXPECT_EQ(bayesTableCountText(words, BayesList::Spam), "400 / 32000");

    // The counters of the older program say how many marks there were.
    const BayesClassifier classifier(words, {60, 60});
    const BayesVerdict spam = classifier.judge("spamword1 spamword2 spamword3 spamword4 spamword5 spamword6 ", false);
    EXPECT_TRUE(spam.trained);
    EXPECT_TRUE(spam.spam) << spam.scores.spamicity;
    EXPECT_EQ(classifier.judge("goodword1 goodword2 goodword3 goodword4 ", false).band, BayesBand::Good);

    // Training goes on in the same records: a known word counts one more message.
    bayesTrain(words, BayesList::Spam, "spamword0 nowe", encodeDateTime({2024, 5, 10, 12, 0, 0, 0}));
    EXPECT_EQ(words[0].stat, 61u);
    EXPECT_EQ(words.size(), 801u) << "a table of 400 words is no longer full";
}
