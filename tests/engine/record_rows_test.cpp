// What the account, rule and friend pages show and in which order.
#include "engine/record_rows.h"

#include "engine/account_fields.h"
#include "engine/rule_vocabulary.h"
#include "support/rule_records.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::ruleRecord;

TEST(RecordRows, CellsShowTheColumnsOfEachKind)
{
    AccountRecord account;
    account.name = "Dom";
    account.pop3 = "pop.example.com";
    account.smtp = "smtp.example.com";
    account.user = "jan";
    EXPECT_EQ(accountCells(account, 4),
              (std::vector<std::string>{"4", "Dom", "pop.example.com:110", "smtp.example.com:25", "jan", "50 kb"}));
    account.size = std::string(kUnlimitedSizeText);
    EXPECT_EQ(accountCells(account, 0)[5], "(nieograniczony)");

    RuleRecord rule = ruleRecord("Kredyty", 3, 0, "kredyt", {false, false, false, true});
    rule.stat = 12;
    const std::vector<std::string> cells = ruleCells(rule, 2);
    EXPECT_EQ(cells[2], "temat");
    EXPECT_EQ(cp1250ToUtf8(cells[3]), cp1250ToUtf8(conditionName(3, 0)));
    EXPECT_FALSE(cells[3].empty());
    EXPECT_EQ(cells[5], "12");
    rule.typ = 99;
    EXPECT_EQ(ruleCells(rule, 0)[2], "") << "a field outside the table shows nothing rather than crashing";
    EXPECT_EQ(friendCells(FriendRecord{"Ala", "ala@example.com"}, 1),
              (std::vector<std::string>{"1", "Ala", "ala@example.com"}));
}

TEST(RecordRows, ColumnClicksOrderTheRows)
{
    ProgramData data;
    const std::pair<const char*, uint32_t> rules[] = {{"beta", 5}, {"Alfa", 0}, {"gamma", 9}, {"alfa", 0}};
    for (const auto& [name, stat] : rules) {
        data.rules.push_back(ruleRecord(name, 3, 0, "x", {}));
        data.rules.back().stat = stat;
    }
    const auto cells = pageCells(RecordPage::Rules, data);
    struct Case {
        SortState sort;
        std::vector<size_t> order;
    };
    const Case cases[] = {
        {{0, false}, {3, 2, 1, 0}},                             // newest first
        {{0, true}, {0, 1, 2, 3}},  {{5, false}, {2, 0, 3, 1}}, // most used first; ties keep the newest first
        {{5, true}, {3, 1, 0, 2}},  {{1, false}, {3, 1, 0, 2}}, // "Alfa" and "alfa" are equal ignoring case
        {{1, true}, {2, 0, 3, 1}},  {{9, false}, {3, 2, 1, 0}}, // a column no row has compares equal
    };
    for (const Case& c : cases)
        EXPECT_EQ(sortedRowOrder(RecordPage::Rules, cells, data.rules, c.sort), c.order)
            << c.sort.column << (c.sort.descending ? " desc" : " asc");
}

TEST(RecordRows, RuleDetailsShowShareAndPower)
{
    RuleRecord rule;
    rule.stat = 5;
    RuleDetails shown = ruleDetails(rule, {10, 40}, ',');
    EXPECT_EQ(shown.count, "12,50%, 5 raz(y)");
    EXPECT_EQ(shown.power, "50,00%");
    EXPECT_EQ(shown.barMaximum, 10u);
    EXPECT_EQ(shown.barPosition, 5u);
    rule.stat = 0;
    shown = ruleDetails(rule, {1, 0}, ',');
    EXPECT_EQ(shown.count, "0,00%, 0 raz(y)") << "no hits at all divides by nothing";
    EXPECT_EQ(shown.power, "0,00%");
    EXPECT_EQ(ruleDetails(rule, {1, 0}, '.').power, "0.00%");
}

} // namespace
} // namespace kestrin
