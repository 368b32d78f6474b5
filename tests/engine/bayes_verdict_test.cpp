#include "bayes_test_support.h"
#include "engine/bayes_verdict.h"
#include "message_builder.h"

#include <gtest/gtest.h>

using namespace kestrin;
using kestrin::test::bayesWord;
using kestrin::test::repeatedToken;

namespace {

const std::vector<std::string> kSpamWords = {"kredyt",  "tani",   "oferta",  "pozyczka",
                                             "gotowka", "szybko", "darmowy", "wygraj"};
const std::vector<std::string> kGoodWords = {"projekt", "spotkanie", "raport", "kompilator", "wtorek", "poprawka"};

// Each spam word was in 19 of 20 marked spam messages and no good one; each
// good word the other way round; «neutral» in half of each.
std::vector<BayesWordRecord> craftedWords()
{
    std::vector<BayesWordRecord> words;
    for (const std::string& word : kSpamWords)
        words.push_back(bayesWord(word, BayesList::Spam, 19));
    for (const std::string& word : kGoodWords)
        words.push_back(bayesWord(word, BayesList::Good, 19));
    words.push_back(bayesWord("neutral", BayesList::Good, 10));
    words.push_back(bayesWord("neutral", BayesList::Spam, 10));
    return words;
}

std::string joined(const std::vector<std::string>& words, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count && i < words.size(); ++i)
        text += words[i] + " ";
    return text;
}

const BayesMessageCounts kTrained{20, 20};

} // namespace

TEST(BayesVerdict, CraftedMessages)
{
    const BayesClassifier classifier(craftedWords(), kTrained);
    struct Case {
        std::string text;
        BayesBand band;
    };
    const std::vector<Case> cases = {
        {"Darmowy KREDYT! Tani, szybko: pozyczka, gotowka, oferta... wygraj ", BayesBand::Spam},
        {"Raport z projektu: poprawka kompilatora na wtorek, spotkanie o 10. projekt raport ", BayesBand::Good},
        {joined(kSpamWords, 3) + joined(kGoodWords, 3), BayesBand::Unsure}, // evidence both ways
        {"nikt tego jeszcze nie widział ", BayesBand::Unsure},              // no known word
        {"neutral neutral ", BayesBand::Unsure},                            // known, but tells nothing
        {"", BayesBand::Unsure},
    };
    for (const Case& c : cases) {
        const BayesVerdict verdict = classifier.judge(c.text, false);
        EXPECT_EQ(verdict.band, c.band) << c.text << " spamicity " << verdict.scores.spamicity;
        EXPECT_EQ(verdict.spam, c.band == BayesBand::Spam) << c.text;
        EXPECT_TRUE(verdict.trained);
    }
    EXPECT_DOUBLE_EQ(classifier.judge("nikt nie wie ", false).scores.spamicity, 0.5);
}

TEST(BayesVerdict, SafeModeNeedsAHigherSpamicity)
{
    const std::string text = joined(kSpamWords, 2) + joined(kGoodWords, 1);
    const double spamicity = BayesClassifier(craftedWords(), kTrained).judge(text, false).scores.spamicity;
    ASSERT_GT(spamicity, 0.5);
    ASSERT_LT(spamicity, 1.0);
    BayesParameters p;
    p.spamCutoff = spamicity - 1e-9;
    p.safeSpamCutoff = spamicity + 1e-9;
    const BayesClassifier classifier(craftedWords(), kTrained, p);
    EXPECT_TRUE(classifier.isSpam(text, false));
    EXPECT_FALSE(classifier.isSpam(text, true));
    EXPECT_EQ(classifier.judge(text, true).band, BayesBand::Unsure);
    EXPECT_GT(BayesParameters{}.safeSpamCutoff, BayesParameters{}.spamCutoff);
}

TEST(BayesVerdict, DecidesOnlyAfterEnoughMarksOfEachKind)
{
    const std::string spammy = joined(kSpamWords, kSpamWords.size());
    const uint32_t enough = BayesParameters{}.minMarkedMessages;
    struct Case {
        BayesMessageCounts marked;
        bool trained;
    };
    const std::vector<Case> cases = {
        {{enough, enough}, true},
        {{enough - 1, enough + 50}, false},
        {{enough + 50, enough - 1}, false},
        {{0, 0}, false}, // the counts then come from the words: 19 messages each
    };
    for (const Case& c : cases) {
        const BayesVerdict verdict = BayesClassifier(craftedWords(), c.marked).judge(spammy, false);
        EXPECT_EQ(verdict.trained, c.trained) << c.marked.good << "/" << c.marked.spam;
        EXPECT_EQ(verdict.spam, c.trained);
        EXPECT_EQ(verdict.band, BayesBand::Spam) << "the spamicity is reported even when it decides nothing";
    }
    // Words of enough messages stand in for counters that were lost.
    std::vector<BayesWordRecord> words = craftedWords();
    words.push_back(bayesWord("stale", BayesList::Good, enough));
    words.push_back(bayesWord("stale", BayesList::Spam, enough));
    EXPECT_TRUE(BayesClassifier(words, {0, 0}).judge(spammy, false).trained);
}

TEST(BayesVerdict, LongMessagesStaySound)
{
    const BayesClassifier classifier(craftedWords(), kTrained);
    // The 32-bit score once wrapped for long messages and turned the verdict
    // into chance; repeats now count once.
    EXPECT_TRUE(classifier.isSpam(repeatedToken(joined(kSpamWords, 8), 20000), false));
    EXPECT_FALSE(classifier.isSpam(repeatedToken(joined(kGoodWords, 6), 20000), false));

    // Thousands of mildly spammy words do not add up to certainty beyond the
    // most telling ones.
    std::vector<BayesWordRecord> words;
    std::string text;
    for (int i = 0; i < 3000; ++i) {
        const std::string word = "slowo" + std::to_string(i);
        words.push_back(bayesWord(word, BayesList::Spam, 14));
        words.push_back(bayesWord(word, BayesList::Good, 6));
        text += word + " ";
    }
    const BayesVerdict verdict = BayesClassifier(words, kTrained).judge(text, false);
    EXPECT_EQ(verdict.scores.words, BayesParameters{}.maxWords);
    EXPECT_GE(verdict.scores.spamicity, 0.0);
    EXPECT_LE(verdict.scores.spamicity, 1.0);
}

TEST(BayesVerdict, MessageTextIsSubjectAndStrippedBody)
{
    TIdMessage message;
    message.Subject = "Tani <kredyt>";
    message.Body = {"<b>Super</b> oferta!!!", "dzisiaj\r", "a<b"};
    // Tags go from the body only; body corrections (character removal) do not apply.
    EXPECT_EQ(bayesMessageText(message, true), "Tani <kredyt> Super oferta!!! dzisiaj a<b ");
    EXPECT_EQ(bayesMessageText(message, false), "Tani <kredyt> ");

    message.parts = {test::part(TIdMessagePart::Kind::Attachment, {"zalacznik"}),
                     test::part(TIdMessagePart::Kind::Text, {"czesc tekstowa"})};
    EXPECT_EQ(bayesMessageText(message, true), "Tani <kredyt> czesc tekstowa ");

    TIdMessage empty;
    EXPECT_EQ(bayesMessageText(empty, true), " ");

    // The subject's words count for a message fetched by header only.
    const BayesClassifier classifier(craftedWords(), kTrained);
    TIdMessage headerOnly;
    headerOnly.Subject = "Darmowy kredyt, tani i szybko: wygraj gotowka";
    headerOnly.Body = {"projekt raport spotkanie kompilator wtorek poprawka"};
    EXPECT_TRUE(classifier.isSpam(headerOnly, false, false));
    EXPECT_FALSE(classifier.isSpam(headerOnly, true, false));
}
