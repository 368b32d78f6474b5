#include "engine/visit_ledger.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

const std::string kSep = "|\xA6|";

std::string payload(const std::string& actions, const std::string& cause, const std::string& last = "0")
{
    return "<id>" + kSep + "date" + kSep + actions + kSep + cause + kSep + "Konto" + kSep + "Jan" + kSep +
           "jan@example.org" + kSep + "Temat" + kSep + "1 kb" + kSep + "slowa" + kSep + "0" + kSep + last;
}

constexpr ResultFlag C = ResultFlag::Checked;
constexpr ResultFlag D = ResultFlag::Deleted;
constexpr ResultFlag B = ResultFlag::Bayes;
constexpr ResultFlag E = ResultFlag::Error;

TEST(VisitLedger, AnUndoneDeletionLeavesTheFlagsTheActionsAndTheCause)
{
    const struct {
        const char* name;
        ResultFlags flags;
        std::string reportText;
        ResultFlags expectedFlags;
        std::string expectedText;
    } cases[] = {
        {"Bayes deletion", {C, D, B}, payload("ad", "(Filtr Bayesa)"), {C}, payload("a", "-")},
        {"rule deletion after an error", {E, D}, payload("asrd", "Reklamy"), {E}, payload("asr", "-")},
        {"nothing deleted", {C}, payload("", "-"), {C}, payload("", "-")},
        {"the rest of the payload stays",
         {C, D},
         payload("d", "R", "0" + kSep + "x"),
         {C},
         payload("", "-", "0" + kSep + "x")},
        {"a damaged entry stays as it was",
         {C, D},
         "<id>" + kSep + "d" + kSep + "R",
         {C},
         "<id>" + kSep + "d" + kSep + "R"},
        {"no entry", {C, D}, "", {C}, ""},
    };
    for (const auto& c : cases) {
        const CycleResult changed = withoutDeletion(CycleResult{c.flags, c.reportText, true, {}});
        EXPECT_EQ(changed.flags, c.expectedFlags) << c.name;
        EXPECT_EQ(changed.reportText, c.expectedText) << c.name;
        EXPECT_TRUE(changed.newEntry) << c.name;
    }
}

TEST(ResultFlags, EachFlagIsSetAndClearedAlone)
{
    const ResultFlag all[] = {C, D, B, E};
    for (const ResultFlag flag : all) {
        ResultFlags flags{C, D, B, E};
        flags.clear(flag).clear(flag);
        for (const ResultFlag other : all)
            EXPECT_EQ(flags.has(other), other != flag);
        flags.set(flag);
        EXPECT_EQ(flags, (ResultFlags{E, B, D, C}));
        EXPECT_EQ(ResultFlags{}.set(flag), ResultFlags{flag});
        EXPECT_FALSE(ResultFlags{flag}.empty());
    }
    EXPECT_TRUE(ResultFlags{}.empty());
}

} // namespace
} // namespace kestrin
