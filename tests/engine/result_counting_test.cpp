#include "engine/result_counting.h"

#include "storage/report_entry.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(ResultCounting, FlagLettersRaiseTheirCounters)
{
    Counters c;
    countResultFlags("cdb", c); // a message the Bayes filter deleted
    EXPECT_EQ(c.run.checked, 1u);
    EXPECT_EQ(c.totals.checkMsg, 1u);
    EXPECT_EQ(c.run.deleted, 1u);
    EXPECT_EQ(c.totals.delMsg, 1u);
    EXPECT_EQ(c.totals.bayDel, 1u);
    EXPECT_EQ(c.run.errors, 0u);
    EXPECT_EQ(c.totals.err, 0u);

    countResultFlags("e", c);
    EXPECT_EQ(c.run.errors, 1u);
    EXPECT_EQ(c.totals.err, 1u);
    EXPECT_EQ(c.run.checked, 1u);

    countResultFlags("ccdd", c); // a letter counts once
    EXPECT_EQ(c.run.checked, 2u);
    EXPECT_EQ(c.run.deleted, 2u);

    countResultFlags("", c);
    countResultFlags("xyz", c);
    EXPECT_EQ(c.totals.checkMsg, 2u);
    EXPECT_EQ(c.totals.delMsg, 2u);
    EXPECT_EQ(c.totals.err, 1u);
    EXPECT_EQ(c.totals.bayAll + c.totals.bayList0 + c.totals.bayList1, 0u);

    c.totals.checkMsg = 0xFFFFFFFFu;
    countResultFlags("c", c);
    EXPECT_EQ(c.totals.checkMsg, 0xFFFFFFFFu);
}

TEST(ResultCounting, EntryKindFollowsTheFlags)
{
    EXPECT_EQ(resultEntryKind("c", "payload"), "mail");
    EXPECT_EQ(resultEntryKind("cd", "payload"), "mail");
    EXPECT_EQ(resultEntryKind("d", "payload"), "mail");
    EXPECT_EQ(resultEntryKind("e", "payload"), "error");
    EXPECT_EQ(resultEntryKind("ed", "payload"), "error"); // an action failed, a later delete worked
    EXPECT_EQ(resultEntryKind("ce", "payload"), "error");
    EXPECT_EQ(resultEntryKind("b", "payload"), std::nullopt);
    EXPECT_EQ(resultEntryKind("", "payload"), std::nullopt);
    EXPECT_EQ(resultEntryKind("c", ""), std::nullopt);
    EXPECT_EQ(resultEntryKind("e", ""), std::nullopt);
}

TEST(ResultCounting, ApplyCountsAndInsertsTheEntryOnTop)
{
    Counters c;
    std::vector<std::string> report = {"run|Uruchomienie aplikacji: 2025-01-02 / 03:04:05"};

    const std::string payload = "<1>|\xA6|d|\xA6|ad|\xA6|(Filtr Bayesa)";
    applyResult("cdb", payload, c, report);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], "mail|" + payload);

    applyResult("e",
                "Nie mo\xBFna skasowa\xE6 wiadomo\x9c"
                "ci!",
                c, report);
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0], "error|Nie mo\xBFna skasowa\xE6 wiadomo\x9c"
                         "ci!");
    EXPECT_EQ(report[2], "run|Uruchomienie aplikacji: 2025-01-02 / 03:04:05");

    applyResult("c", "", c, report); // an account whose entries are switched off
    EXPECT_EQ(report.size(), 3u);
    EXPECT_EQ(c.run.checked, 2u);
    EXPECT_EQ(c.totals.checkMsg, 2u);
    EXPECT_EQ(c.run.deleted, 1u);
    EXPECT_EQ(c.totals.bayDel, 1u);
    EXPECT_EQ(c.run.errors, 1u);
    EXPECT_EQ(c.totals.err, 1u);
}

} // namespace
} // namespace kestrin
