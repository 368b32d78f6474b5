#include "bayes_test_support.h"
#include "engine/bayes_verdict.h"
#include "message_builder.h"

#include <gtest/gtest.h>

using namespace kestrin;
using kestrin::test::addFillerWords;
using kestrin::test::bayesWord;
using kestrin::test::repeatedToken;

namespace {

// Good table: «alpha» stat 10 and filler; spam table: «kredyt» stat 10 and
// filler. The filler (stat 1) leaves the largest stat of each table at 10.
std::vector<BayesWordRecord> trainedWords(size_t goodWords, size_t spamWords)
{
    std::vector<BayesWordRecord> words = {bayesWord("alpha", BayesList::Good, 10),
                                          bayesWord("kredyt", BayesList::Spam, 10)};
    addFillerWords(words, BayesList::Good, goodWords - 1, "good");
    addFillerWords(words, BayesList::Spam, spamWords - 1, "spam");
    return words;
}

} // namespace

TEST(BayesVerdict, BothTablesNeedThirtyWords)
{
    const std::string spammy = "kredyt kredyt dom ";
    EXPECT_TRUE(BayesClassifier(trainedWords(30, 30)).isSpam(spammy, false));
    EXPECT_FALSE(BayesClassifier(trainedWords(29, 30)).isSpam(spammy, false));
    EXPECT_FALSE(BayesClassifier(trainedWords(30, 29)).isSpam(spammy, false));
    EXPECT_FALSE(BayesClassifier(trainedWords(29, 400)).isSpam(repeatedToken("kredyt", 50), false));

    // The scores are still reported when the tables are too small to decide.
    const BayesVerdict verdict = BayesClassifier(trainedWords(29, 29)).judge(spammy, false);
    EXPECT_EQ(verdict.scores, (BayesScores{0, 6666}));
    EXPECT_FALSE(verdict.spam);
}

TEST(BayesVerdict, TiesAndSafeMode)
{
    const BayesClassifier classifier(trainedWords(30, 30));
    // 5000 against 5000: a tie is not spam.
    EXPECT_EQ(classifier.judge("alpha kredyt ", false).scores, (BayesScores{5000, 5000}));
    EXPECT_FALSE(classifier.isSpam("alpha kredyt ", false));
    // 3333 against 6666: spam, but in safe mode 2 * 3333 ties with 6666.
    EXPECT_EQ(classifier.judge("alpha kredyt kredyt ", true).scores, (BayesScores{3333, 6666}));
    EXPECT_TRUE(classifier.isSpam("alpha kredyt kredyt ", false));
    EXPECT_FALSE(classifier.isSpam("alpha kredyt kredyt ", true));
    // 2500 against 7500 is more than twice: spam even in safe mode.
    EXPECT_TRUE(classifier.isSpam("alpha kredyt kredyt kredyt ", true));
    // A text whose words are in neither table scores 0 and 0.
    EXPECT_EQ(classifier.judge("nothing known here ", false).scores, (BayesScores{0, 0}));
    EXPECT_FALSE(classifier.isSpam("nothing known here ", false));
    EXPECT_FALSE(classifier.isSpam("", false));
}

TEST(BayesVerdict, LongSpamMessageIsStillSpam)
{
    // Good: kredyt 100 under a top stat of 1000; spam: kredyt 1000. For 430
    // tokens of «kredyt» the 32-bit form gave spam 11 against good 1000.
    std::vector<BayesWordRecord> words = {bayesWord("kredyt", BayesList::Good, 100),
                                          bayesWord("other", BayesList::Good, 1000),
                                          bayesWord("kredyt", BayesList::Spam, 1000)};
    addFillerWords(words, BayesList::Good, 30);
    addFillerWords(words, BayesList::Spam, 30);
    const BayesVerdict verdict = BayesClassifier(words).judge(repeatedToken("kredyt", 430), false);
    EXPECT_EQ(verdict.scores, (BayesScores{1000, 10000}));
    EXPECT_TRUE(verdict.spam);
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
    const BayesClassifier classifier(trainedWords(30, 30));
    TIdMessage headerOnly;
    headerOnly.Subject = "kredyt";
    headerOnly.Body = {"alpha alpha alpha"};
    EXPECT_TRUE(classifier.isSpam(headerOnly, false, false));
    EXPECT_FALSE(classifier.isSpam(headerOnly, true, false));
}
