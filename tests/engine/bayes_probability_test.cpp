#include "engine/bayes_probability.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace kestrin;

TEST(BayesProbability, RobinsonWordProbability)
{
    BayesParameters p;
    p.priorStrength = 1.0;
    p.priorProbability = 0.4;
    struct Case {
        uint64_t good, spam;
        BayesMessageCounts messages;
        double expected;
    };
    const std::vector<Case> cases = {
        {0, 0, {10, 10}, 0.4},                               // never seen: the prior
        {0, 1, {10, 10}, (0.4 + 1.0) / 2.0},                 // once in spam: pulled half way to the prior
        {1, 0, {10, 10}, 0.4 / 2.0},                         // once in good
        {0, 9, {10, 10}, (0.4 + 9.0) / 10.0},                // often in spam: near 1
        {5, 5, {10, 10}, (0.4 + 10 * 0.5) / 11.0},           // as often in both: near 0.5
        {5, 5, {100, 10}, (0.4 + 10 * (0.5 / 0.55)) / 11.0}, // shares, not counts: spam 50 %, good 5 %
        {3, 0, {0, 10}, 0.4},                                // a table without marks tells nothing
    };
    for (const Case& c : cases)
        EXPECT_NEAR(robinsonProbability(c.good, c.spam, c.messages, p), c.expected, 1e-12)
            << c.good << " " << c.spam << " of " << c.messages.good << "/" << c.messages.spam;
}

TEST(BayesProbability, ChiSquareSurvival)
{
    struct Case {
        double chi2;
        size_t halfDegrees;
        double expected;
    };
    const std::vector<Case> cases = {
        {0.0, 3, 1.0},
        {2.0, 1, std::exp(-1.0)},        // 2 degrees: e^(-chi2/2)
        {10.0, 2, std::exp(-5.0) * 6.0}, // 4 degrees: e^-m (1 + m)
        {4.0, 3, std::exp(-2.0) * 5.0},  // 6 degrees: e^-m (1 + m + m^2/2)
        {3000.0, 100, 0.0},              // far in the tail
    };
    for (const Case& c : cases)
        EXPECT_NEAR(chiSquareSurvival(c.chi2, c.halfDegrees), c.expected, 1e-12) << c.chi2;
    // Where e^(-chi2/2) underflows, a value near the mean of 2n degrees still
    // has a survival near one half.
    EXPECT_NEAR(chiSquareSurvival(4000.0, 2000), 0.5, 0.02);
    EXPECT_GT(chiSquareSurvival(3800.0, 2000), 0.9);
    EXPECT_LT(chiSquareSurvival(4200.0, 2000), 0.1);
}

TEST(BayesProbability, FisherCombining)
{
    EXPECT_DOUBLE_EQ(fisherSpamicity({}), 0.5);
    EXPECT_GT(fisherSpamicity(std::vector<double>(20, 0.95)), 0.999);
    EXPECT_LT(fisherSpamicity(std::vector<double>(20, 0.05)), 0.001);
    // Evidence both ways cancels out instead of deciding.
    std::vector<double> mixed(10, 0.99);
    mixed.insert(mixed.end(), 10, 0.01);
    EXPECT_NEAR(fisherSpamicity(mixed), 0.5, 1e-9);
    // Symmetric: mirrored probabilities give the mirrored spamicity.
    const std::vector<double> some = {0.9, 0.8, 0.3, 0.95};
    std::vector<double> mirrored;
    for (const double f : some)
        mirrored.push_back(1.0 - f);
    EXPECT_NEAR(fisherSpamicity(some), 1.0 - fisherSpamicity(mirrored), 1e-12);
    // Probabilities of 0 and 1 from a hand-edited file do not break the logarithms.
    const double extreme = fisherSpamicity({0.0, 1.0, 1.0});
    EXPECT_FALSE(std::isnan(extreme));
    EXPECT_GE(extreme, 0.0);
    EXPECT_LE(extreme, 1.0);
}
