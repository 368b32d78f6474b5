#include "bayes_test_support.h"
#include "engine/bayes_mark.h"
#include "storage/report_entry.h"

#include <gtest/gtest.h>

using namespace kestrin;
using kestrin::test::bayesWord;

namespace {

const TDateTime kNow = encodeDateTime({2024, 5, 10, 12, 0, 0, 500});

std::vector<std::string> mailFields(std::string bayesMark)
{
    return {"<id@example.com>",
            "2024-05-10 / 11:00:00",
            "",
            "-",
            "konto",
            "Nadawca",
            "spam@example.com",
            "Tani kredyt kredyt dla Ciebie",
            "3 kb",
            "oferta kredyt",
            "0",
            std::move(bayesMark)};
}

std::string mailLine(std::string bayesMark = "0")
{
    return "mail|" + joinMailFields(mailFields(std::move(bayesMark)));
}

const BayesWordRecord* find(const std::vector<BayesWordRecord>& words, std::string_view name)
{
    for (const BayesWordRecord& word : words) {
        if (word.name == name)
            return &word;
    }
    return nullptr;
}

} // namespace

TEST(BayesMark, MarkingGoodTrainsRewritesAndCounts)
{
    std::string line = mailLine();
    std::vector<BayesWordRecord> words = {bayesWord("Oferta", BayesList::Good, 4)};
    StatsTotals totals;
    totals.bayAll = 5;
    EXPECT_EQ(markBayesEntry(line, BayesList::Good, words, totals, kNow), BayesMarkResult::Marked);

    EXPECT_EQ(line, mailLine("1")); // only the Bayes mark changed
    EXPECT_EQ(totals.bayAll, 6u);
    EXPECT_EQ(totals.bayList0, 1u);
    EXPECT_EQ(totals.bayList1, 0u);
    EXPECT_EQ(totals.bayDel, 0u);

    // Without the message's own words: field 9 «oferta kredyt» and the subject
    // stand for the message, one message («kredyt» thrice, counted once; «dla»
    // is too short).
    ASSERT_EQ(words.size(), 4u);
    EXPECT_EQ(words[0].name, "Oferta");
    EXPECT_EQ(words[0].stat, 5u);
    EXPECT_EQ(find(words, "kredyt")->stat, 1u);
    EXPECT_EQ(find(words, "Tani")->stat, 1u);
    EXPECT_EQ(find(words, "Ciebie")->stat, 1u);
    EXPECT_EQ(find(words, "dla"), nullptr);
    for (const BayesWordRecord& word : words)
        EXPECT_EQ(word.list, 0);
}

TEST(BayesMark, TrainsEveryWordOfTheRememberedMessage)
{
    std::string line = mailLine();
    std::vector<BayesWordRecord> words;
    StatsTotals totals;
    const std::string text = "Tani kredyt kredyt dla Ciebie Tylko dzisiaj: kredyt bez zaświadczeń, zadzwoń ";
    EXPECT_EQ(markBayesEntry(line, BayesList::Spam, words, totals, kNow, text), BayesMarkResult::Marked);
    EXPECT_EQ(line, mailLine("2"));
    EXPECT_EQ(bayesWordCount(words, BayesList::Spam), 7u); // Tani kredyt Ciebie Tylko dzisiaj zaświadczeń zadzwoń
    EXPECT_EQ(find(words, "kredyt")->stat, 1u);
    EXPECT_EQ(find(words, "oferta"), nullptr) << "the keywords are the message's own, not trained twice";
    EXPECT_EQ(totals.bayList1, 1u);
}

TEST(BayesMark, MarkingSpamWritesTwo)
{
    std::string line = mailLine();
    std::vector<BayesWordRecord> words;
    StatsTotals totals;
    EXPECT_EQ(markBayesEntry(line, BayesList::Spam, words, totals, kNow), BayesMarkResult::Marked);
    EXPECT_EQ(line, mailLine("2"));
    EXPECT_EQ(totals.bayAll, 1u);
    EXPECT_EQ(totals.bayList1, 1u);
    EXPECT_EQ(bayesWordCount(words, BayesList::Spam), 4u);
}

TEST(BayesMark, MarkedEntriesAreRefused)
{
    for (const char* mark : {"1", "2", "", "00"}) {
        std::string line = mailLine(mark);
        const std::string before = line;
        std::vector<BayesWordRecord> words;
        StatsTotals totals;
        for (const BayesList list : {BayesList::Good, BayesList::Spam}) {
            EXPECT_EQ(markBayesEntry(line, list, words, totals, kNow), BayesMarkResult::AlreadyMarked) << mark;
            EXPECT_EQ(line, before);
            EXPECT_TRUE(words.empty());
            EXPECT_EQ(totals, StatsTotals{});
        }
    }

    // Good, then spam: the second mark is refused.
    std::string line = mailLine();
    std::vector<BayesWordRecord> words;
    StatsTotals totals;
    EXPECT_EQ(markBayesEntry(line, BayesList::Good, words, totals, kNow), BayesMarkResult::Marked);
    const std::vector<BayesWordRecord> trained = words;
    EXPECT_EQ(markBayesEntry(line, BayesList::Spam, words, totals, kNow), BayesMarkResult::AlreadyMarked);
    EXPECT_EQ(line, mailLine("1"));
    EXPECT_EQ(words.size(), trained.size());
    EXPECT_EQ(totals.bayAll, 1u);
    EXPECT_EQ(totals.bayList1, 0u);

    // A damaged entry without a Bayes mark field counts as marked.
    std::string damaged = "mail|id|\xA6|date";
    EXPECT_EQ(markBayesEntry(damaged, BayesList::Good, words, totals, kNow), BayesMarkResult::AlreadyMarked);
    EXPECT_EQ(damaged, "mail|id|\xA6|date");
}

TEST(BayesMark, OnlyMailEntries)
{
    std::vector<BayesWordRecord> words;
    StatsTotals totals;
    for (std::string line : {std::string("error|Nie można skasować wiadomości!"),
                             std::string("run|Uruchomienie aplikacji: 2024-05-10 / 12:00:00"), std::string(""),
                             "Mail|" + joinMailFields(mailFields("0"))}) {
        const std::string before = line;
        EXPECT_EQ(markBayesEntry(line, BayesList::Spam, words, totals, kNow), BayesMarkResult::NotMailEntry);
        EXPECT_EQ(line, before);
    }
    EXPECT_TRUE(words.empty());
    EXPECT_EQ(totals, StatsTotals{});
}

TEST(BayesMark, DamagedLastUseDoesNotBlockMarking)
{
    std::vector<BayesWordRecord> words;
    for (size_t i = 0; i < 400; ++i)
        words.push_back(bayesWord("word" + std::to_string(i), BayesList::Spam, 1));
    words[9].lastuse = "";
    std::string line = mailLine();
    StatsTotals totals;
    // A table that is full for this mark: the damaged record is replaced.
    words.resize(kBayesMaxTableWords, bayesWord("filler", BayesList::Spam, 1));
    EXPECT_EQ(markBayesEntry(line, BayesList::Spam, words, totals, kNow), BayesMarkResult::Marked);
    EXPECT_EQ(line, mailLine("2"));
    EXPECT_EQ(totals.bayList1, 1u);
    EXPECT_EQ(words.size(), kBayesMaxTableWords);
    EXPECT_EQ(words[9].name, "oferta");
}
