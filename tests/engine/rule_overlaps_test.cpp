#include "engine/rule_overlaps.h"
#include "support/rule_records.h"

#include <gtest/gtest.h>

#include <utility>

using namespace kestrin;
using kestrin::test::ruleRecord;

namespace {

// (id, covering name) per listed line.
std::vector<std::pair<size_t, std::string>> listed(const std::vector<RuleRecord>& rules)
{
    std::vector<std::pair<size_t, std::string>> out;
    for (const OverlapLine& line : findOverlappingRules(rules)) {
        EXPECT_EQ(line.name, rules[line.id].name);
        EXPECT_TRUE(line.checked);
        out.emplace_back(line.id, line.coveredBy);
    }
    return out;
}

struct CoverCase {
    const char* what;
    std::vector<RuleRecord> rules;
    std::vector<std::pair<size_t, std::string>> expected;
};

} // namespace

TEST(RuleOverlaps, ListsEachCoveredRuleOnceWithItsFirstCoveringRule)
{
    const CoverCase cases[] = {
        {"contains: the longer value is covered",
         {ruleRecord("A", 1, 0, "abcd"), ruleRecord("B", 1, 0, "bc")},
         {{0, "B"}}},
        {"contains covers exact, starts and ends",
         {ruleRecord("S", 3, 0, "Offer"), ruleRecord("E", 3, 2, "cheap offer"), ruleRecord("B", 3, 8, "offer now"),
          ruleRecord("K", 3, 9, "an offer")},
         {{1, "S"}, {2, "S"}, {3, "S"}}},
        {"different fields never", {ruleRecord("A", 1, 0, "abcd"), ruleRecord("B", 3, 0, "bc")}, {}},
        {"first covering rule named, covered rule once",
         {ruleRecord("X", 3, 0, "b"), ruleRecord("A", 3, 0, "abc"), ruleRecord("Y", 3, 0, "c")},
         {{1, "X"}}},
        {"code 4 not covered when one word lacks the value, but its word ab covers ab",
         {ruleRecord("W", 3, 4, "ab cd"), ruleRecord("C", 3, 0, "ab")},
         {{1, "W"}}},
        {"code 4 covered by a code 4 word",
         {ruleRecord("W", 3, 4, "ab abc"), ruleRecord("V", 3, 4, "xy ab")},
         {{0, "V"}}},
        {"code 4 word covers contains",
         {ruleRecord("T", 3, 0, "tani kredyt"), ruleRecord("V", 3, 4, "zzz kredyt")},
         {{0, "V"}}},
        {"empty code 4 value is covered by code 0 and code 4",
         {ruleRecord("E", 0, 4, ""), ruleRecord("C", 0, 0, "x"), ruleRecord("F", 0, 4, ""), ruleRecord("W", 0, 4, "y")},
         {{0, "C"}, {2, "C"}}},
        {"starts: only at position 1",
         {ruleRecord("S", 1, 8, "ab"), ruleRecord("A", 1, 8, "abc"), ruleRecord("B", 1, 2, "cab"),
          ruleRecord("C", 1, 0, "abx")},
         {{1, "S"}}},
        {"ends: a value holding the covering value twice is not listed",
         {ruleRecord("E", 1, 9, "ab"), ruleRecord("T", 1, 9, "abab"), ruleRecord("G", 1, 2, "xab")},
         {{2, "E"}}},
        {"size: a larger limit is covered",
         {ruleRecord("512", 5, 0, "512"), ruleRecord("256", 5, 0, "256"), ruleRecord("bad", 5, 0, "x")},
         {{0, "256"}}},
        {"equal rules: only the later is listed",
         {ruleRecord("A", 5, 0, "512"), ruleRecord("B", 5, 0, "512"), ruleRecord("C", 3, 0, "Tanio"),
          ruleRecord("D", 3, 0, "tanio")},
         {{1, "A"}, {3, "C"}}},
        {"header fields never", {ruleRecord("P", 6, 0, "wysoki (2)"), ruleRecord("Q", 6, 0, "wysoki (2)")}, {}},
        {"codes 2, 3, 5, 6, 7 cover nothing",
         {ruleRecord("A", 3, 2, "ab"), ruleRecord("B", 3, 3, "ab"), ruleRecord("C", 3, 5, "ab"),
          ruleRecord("D", 3, 6, "ab"), ruleRecord("E", 3, 7, "ab"), ruleRecord("F", 3, 0, "abc")},
         {}},
        {"empty contains value covers nothing", {ruleRecord("A", 3, 0, ""), ruleRecord("B", 3, 0, "x")}, {}},
        {"negative conditions: the covered value lies inside the covering one",
         {ruleRecord("N", 3, 1, "xab"), ruleRecord("M", 3, 1, "ab"), ruleRecord("P", 3, 10, "abc"),
          ruleRecord("Q", 3, 10, "ab"), ruleRecord("R", 3, 11, "xyab"), ruleRecord("S", 3, 11, "ab")},
         {{1, "N"}, {3, "P"}, {5, "R"}}},
    };
    for (const CoverCase& c : cases)
        EXPECT_EQ(listed(c.rules), c.expected) << c.what;
}

TEST(RuleOverlaps, OneRuleGivesNothing)
{
    EXPECT_TRUE(findOverlappingRules({ruleRecord("A", 3, 0, "a")}).empty());
}

TEST(RuleOverlaps, DeleteWalkDeletesTheCheckedRulesAsTheyWereListed)
{
    std::vector<RuleRecord> rules;
    for (int i = 0; i < 9; ++i)
        rules.push_back(ruleRecord("r" + std::to_string(i), 3, 0, "v"));
    const std::vector<OverlapLine> lines = {
        {3, "r3", "x", true}, {5, "r5", "x", false}, {7, "r7", "x", true}, {8, "r8", "x", false}};

    const OverlapDeletion done = deleteCheckedOverlaps(rules, lines);

    std::vector<std::string> names;
    for (const RuleRecord& r : done.rules)
        names.push_back(r.name);
    EXPECT_EQ(names, (std::vector<std::string>{"r0", "r1", "r2", "r4", "r5", "r6", "r8"}));
    EXPECT_EQ(done.deleted, 2u);
    ASSERT_EQ(done.lines.size(), 2u);
    EXPECT_EQ(done.lines[0].id, 4u); // r5, one rule above it gone
    EXPECT_EQ(done.lines[1].id, 6u); // r8, two gone
    EXPECT_EQ(done.rules[done.lines[1].id].name, "r8");
}

TEST(RuleOverlaps, DeletingEverySearchedLineKeepsACoveringRuleForEach)
{
    const std::vector<RuleRecord> rules = {ruleRecord("A", 5, 0, "512"), ruleRecord("B", 5, 0, "512"),
                                           ruleRecord("C", 5, 0, "1024"), ruleRecord("D", 3, 0, "OFFER"),
                                           ruleRecord("E", 3, 0, "offer")};
    const OverlapDeletion done = deleteCheckedOverlaps(rules, findOverlappingRules(rules));
    ASSERT_EQ(done.rules.size(), 2u);
    EXPECT_EQ(done.rules[0].name, "A");
    EXPECT_EQ(done.rules[1].name, "D");
}

TEST(RuleOverlaps, LineOutsideTheListDeletesNothing)
{
    const OverlapDeletion done = deleteCheckedOverlaps({ruleRecord("A", 3, 0, "a")}, {{4, "gone", "A", true}});
    EXPECT_EQ(done.rules.size(), 1u);
    EXPECT_EQ(done.deleted, 0u);
}
