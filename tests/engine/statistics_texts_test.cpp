// The statistics page's texts: shares with two decimals in the locale's
// separator, bars rounded half to even, the Bayes spam share as the
// complement of the good one, and counters that would overflow or disagree.
#include "engine/statistics_texts.h"

#include <gtest/gtest.h>

#include <map>

namespace kestrin::test {
namespace {

std::map<std::string, std::string> labels(const Counters& counters, char separator = ',')
{
    const StatisticsTexts texts = statisticsTexts(counters, separator);
    return {texts.labels.begin(), texts.labels.end()};
}

std::map<std::string, int> bars(const Counters& counters)
{
    const StatisticsTexts texts = statisticsTexts(counters, ',');
    return {texts.bars.begin(), texts.bars.end()};
}

TEST(StatisticsTexts, SharesAndBars)
{
    Counters c;
    c.run = {8, 1, 2};
    c.totals.checkMsg = 3;
    c.totals.delMsg = 3;
    c.totals.bayAll = 4;
    c.totals.bayList0 = 3;
    c.totals.bayList1 = 1;
    c.totals.bayDel = 5;
    const auto l = labels(c);
    EXPECT_EQ(l.at("stat_check0"), "8");
    EXPECT_EQ(l.at("stat_accept0"), "7 (87,50%)");
    EXPECT_EQ(l.at("stat_del0"), "1 (12,50%)");
    EXPECT_EQ(l.at("stat_err0"), "2");
    EXPECT_EQ(l.at("stat_accept1"), "0 (0,00%)");
    EXPECT_EQ(l.at("stat_del1"), "3 (100,00%)");
    EXPECT_EQ(l.at("bay_statall"), "4");
    EXPECT_EQ(l.at("bay_stat0"), "3 (75,00%)");
    EXPECT_EQ(l.at("bay_stat1"), "1 (25,00%)");
    EXPECT_EQ(l.at("bay_statdel"), "5");
    const auto b = bars(c);
    EXPECT_EQ(b.at("stat_acceptpb0"), 88) << "87.5 goes to the even 88";
    EXPECT_EQ(b.at("stat_delpb0"), 12) << "12.5 goes to the even 12";
    EXPECT_EQ(b.at("stat_delpb1"), 100);
    EXPECT_EQ(b.at("bay_stat0pb"), 75);
    EXPECT_EQ(b.at("bay_stat1pb"), 25);
    EXPECT_EQ(labels(c, '.').at("stat_del0"), "1 (12.50%)");
}

TEST(StatisticsTexts, EmptyGroupsAndOddCounters)
{
    Counters c;
    auto l = labels(c, '.');
    EXPECT_EQ(l.at("stat_accept0"), "0 (0,00%)") << "the empty share's text is fixed";
    EXPECT_EQ(l.at("bay_stat1"), "0 (0,00%)");
    EXPECT_EQ(bars(c).at("bay_stat0pb"), 0);

    // Spam share is the complement of the good share, not spam / marked.
    c.totals.bayAll = 4;
    c.totals.bayList0 = 1;
    c.totals.bayList1 = 2;
    EXPECT_EQ(labels(c).at("bay_stat1"), "2 (75,00%)");

    // A product past 32 bits keeps its share; more deleted than checked
    // (a hand-edited file) shows nothing accepted and a full bar.
    c.totals.checkMsg = 100'000'000;
    c.totals.delMsg = 50'000'000;
    EXPECT_EQ(labels(c).at("stat_del1"), "50000000 (50,00%)");
    c.totals.checkMsg = 5;
    c.totals.delMsg = 9;
    l = labels(c);
    EXPECT_EQ(l.at("stat_accept1"), "0 (0,00%)");
    EXPECT_EQ(l.at("stat_del1"), "9 (100,00%)");
    EXPECT_EQ(bars(c).at("stat_acceptpb1"), 0);
}

} // namespace
} // namespace kestrin::test
