#include "engine/result_counting.h"

#include "storage/report_entry.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

constexpr ResultFlag C = ResultFlag::Checked;
constexpr ResultFlag D = ResultFlag::Deleted;
constexpr ResultFlag B = ResultFlag::Bayes;
constexpr ResultFlag E = ResultFlag::Error;

TEST(ResultCounting, FlagLettersRaiseTheirCounters)
{
    Counters c;
    countResultFlags({C, D, B}, c); // a message the Bayes filter deleted
    EXPECT_EQ(c.run.checked, 1u);
    EXPECT_EQ(c.totals.checkMsg, 1u);
    EXPECT_EQ(c.run.deleted, 1u);
    EXPECT_EQ(c.totals.delMsg, 1u);
    EXPECT_EQ(c.totals.bayDel, 1u);
    EXPECT_EQ(c.run.errors, 0u);
    EXPECT_EQ(c.totals.err, 0u);

    countResultFlags({E}, c);
    EXPECT_EQ(c.run.errors, 1u);
    EXPECT_EQ(c.totals.err, 1u);
    EXPECT_EQ(c.run.checked, 1u);

    countResultFlags({C, C, D, D}, c); // a flag counts once
    EXPECT_EQ(c.run.checked, 2u);
    EXPECT_EQ(c.run.deleted, 2u);

    countResultFlags({}, c);
    countResultFlags(ResultFlags{C, D, E}.clear(C).clear(D).clear(E), c);
    EXPECT_EQ(c.totals.checkMsg, 2u);
    EXPECT_EQ(c.totals.delMsg, 2u);
    EXPECT_EQ(c.totals.err, 1u);
    EXPECT_EQ(c.totals.bayAll + c.totals.bayList0 + c.totals.bayList1, 0u);

    c.totals.checkMsg = 0xFFFFFFFFu;
    countResultFlags({C}, c);
    EXPECT_EQ(c.totals.checkMsg, 0xFFFFFFFFu);
}

TEST(ResultCounting, EntryKindFollowsTheFlags)
{
    const struct {
        ResultFlags flags;
        const char* reportText;
        std::optional<std::string> kind;
    } cases[] = {
        {{C}, "payload", "mail"},     {{C, D}, "payload", "mail"},    {{D}, "payload", "mail"},
        {{E}, "payload", "error"},    {{E, D}, "payload", "error"}, // an action failed, a later delete worked
        {{C, E}, "payload", "error"}, {{B}, "payload", std::nullopt}, {{}, "payload", std::nullopt},
        {{C}, "", std::nullopt},      {{E}, "", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(resultEntryKind(c.flags, c.reportText), c.kind) << c.reportText;
}

TEST(ResultCounting, ApplyCountsAndInsertsTheEntryOnTop)
{
    Counters c;
    std::vector<std::string> report = {"run|Uruchomienie aplikacji: 2025-01-02 / 03:04:05"};

    const std::string payload = "<1>|\xA6|d|\xA6|ad|\xA6|(Filtr Bayesa)";
    applyResult({C, D, B}, payload, c, report);
    ASSERT_EQ(report.size(), 2u);
    EXPECT_EQ(report[0], "mail|" + payload);

    applyResult({E},
                "Nie mo\xBFna skasowa\xE6 wiadomo\x9c"
                "ci!",
                c, report);
    ASSERT_EQ(report.size(), 3u);
    EXPECT_EQ(report[0], "error|Nie mo\xBFna skasowa\xE6 wiadomo\x9c"
                         "ci!");
    EXPECT_EQ(report[2], "run|Uruchomienie aplikacji: 2025-01-02 / 03:04:05");

    applyResult({C}, "", c, report); // an account whose entries are switched off
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
