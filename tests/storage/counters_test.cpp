#include "storage/counters.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrin {
namespace {

Counters filledCounters()
{
    Counters c;
    c.run = {3, 2, 1};
    c.totals = {30, 20, 10, 7, 6, 5, 4};
    return c;
}

TEST(Counters, IncrementStopsAtTheLargestValue)
{
    uint32_t counter = 0;
    incrementCounter(counter);
    EXPECT_EQ(counter, 1u);
    counter = std::numeric_limits<uint32_t>::max() - 1;
    incrementCounter(counter);
    EXPECT_EQ(counter, std::numeric_limits<uint32_t>::max());
    incrementCounter(counter);
    EXPECT_EQ(counter, std::numeric_limits<uint32_t>::max());
}

TEST(Counters, ClearCommandsTouchOnlyTheirCounters)
{
    Counters run = filledCounters();
    clearRunCounters(run);
    EXPECT_EQ(run.run.checked + run.run.deleted + run.run.errors, 0u);
    EXPECT_EQ(run.totals.checkMsg, 30u);
    EXPECT_EQ(run.totals.err, 10u);

    Counters totals = filledCounters();
    clearTotals(totals);
    EXPECT_EQ(totals.totals.checkMsg + totals.totals.delMsg + totals.totals.err, 0u);
    EXPECT_EQ(totals.run.checked, 3u);
    EXPECT_EQ(totals.run.errors, 1u);

    Counters both = filledCounters();
    clearRunCountersAndTotals(both);
    EXPECT_EQ(both.run.checked + both.run.deleted + both.run.errors, 0u);
    EXPECT_EQ(both.totals.checkMsg + both.totals.delMsg + both.totals.err, 0u);

    // The Bayes counters are no part of any clear command.
    for (const Counters& c : {run, totals, both}) {
        EXPECT_EQ(c.totals.bayAll, 7u);
        EXPECT_EQ(c.totals.bayDel, 6u);
        EXPECT_EQ(c.totals.bayList0, 5u);
        EXPECT_EQ(c.totals.bayList1, 4u);
    }
}

} // namespace
} // namespace kestrin
