// What the account, rule and friend pages do as views: the IDs they show always
// name the records, deletion asks once and renumbers, and the sort follows the
// header and the saved settings.
#include "main_test_support.h"

#include "storage/record_tables.h"
#include "storage/settings.h"
#include "text/date_time.h"
#include "ui/pages/record_list.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QTreeView>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

ui::RecordList& ruleList(ProgramHarness& harness)
{
    for (ui::RecordList* list : harness.form().findChildren<ui::RecordList*>())
        if (list->view()->objectName() == QStringLiteral("reg_list"))
            return *list;
    throw std::logic_error("no rule list");
}

struct RulePage {
    explicit RulePage(ProgramHarness& harness)
        : view(*ruleList(harness).view()), data(harness.program->session().data())
    {
    }
    QTreeView& view;
    ProgramData& data;

    QString cell(int row, int column) const { return view.model()->index(row, column).data().toString(); }
    // Names in row order, each checked against the record its ID names.
    std::vector<std::string> names() const
    {
        std::vector<std::string> shown;
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            const size_t id = cell(row, 0).toULong();
            EXPECT_LT(id, data.rules.size());
            if (id < data.rules.size()) {
                EXPECT_EQ(cell(row, 1).toStdString(), data.rules[id].name) << "row " << row;
            }
            shown.push_back(cell(row, 1).toStdString());
        }
        return shown;
    }
    void select(std::initializer_list<int> rows)
    {
        view.selectionModel()->clear();
        for (int row : rows)
            view.selectionModel()->select(view.model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
};

std::vector<RuleRecord> fiveRules()
{
    std::vector<RuleRecord> rules;
    const std::pair<const char*, uint32_t> named[] = {{"e", 3}, {"d", 0}, {"c", 7}, {"b", 1}, {"a", 5}};
    for (const auto& [name, hits] : named) {
        rules.emplace_back();
        rules.back().name = name;
        rules.back().str = "x";
        rules.back().stat = hits;
    }
    return rules;
}

class RecordPages : public ::testing::Test {
protected:
    void start(int32_t sortColumn, bool descending)
    {
        Settings settings = defaultSettings(folder.path(), localNow());
        settings.skipNetCheck = true;
        settings.regSortCol = sortColumn;
        settings.regSortDes = descending;
        saveSettingsFile(folder.path(), settings);
        saveRules(folder.path(), fiveRules());
        harness = std::make_unique<ProgramHarness>(folder.path());
        ASSERT_TRUE(harness->program->start());
        ASSERT_TRUE(waitUntil([this] { return !harness->program->session().state().cycleRunning; }));
    }

    ProgramFolder folder;
    std::unique_ptr<ProgramHarness> harness;
};

TEST_F(RecordPages, DeletionAsksOnceAndRenumbersWhateverTheSort)
{
    start(1, false); // by name: a b c d e
    ui::RecordList& list = ruleList(*harness);
    RulePage rules{*harness};
    ASSERT_EQ(rules.names(), (std::vector<std::string>{"a", "b", "c", "d", "e"}));

    list.delClick();
    ASSERT_EQ(harness->prompter.shown.size(), 1u);
    EXPECT_EQ(harness->prompter.shown[0].caption, QStringLiteral("Usuwanie reguły wiadomości"));

    rules.select({0, 2}); // "a" (ID 4) and "c" (ID 2)
    harness->prompter.answers = {false};
    list.delClick();
    EXPECT_EQ(rules.data.rules.size(), 5u) << "No deletes nothing";
    harness->prompter.answers = {true};
    list.delClick();
    ASSERT_EQ(harness->prompter.asked.size(), 2u);
    EXPECT_TRUE(harness->prompter.asked[1].text.endsWith(QStringLiteral("Ilość reguł wiadomości do usunięcia: 2")));
    EXPECT_EQ(rules.names(), (std::vector<std::string>{"b", "d", "e"}));
    std::vector<std::string> stored;
    for (const RuleRecord& rule : loadRules(folder.path()))
        stored.push_back(rule.name);
    EXPECT_EQ(stored, (std::vector<std::string>{"e", "d", "b"})) << "IDs 0-2 without a gap, written at once";
    EXPECT_EQ(harness->form().findChild<QLabel*>(QStringLiteral("reg_count"))->text(), QStringLiteral("3"));
}

TEST_F(RecordPages, TheSavedSortIsRestoredAndHeaderClicksFollowIt)
{
    start(5, true); // the hit column, most used last
    ui::RecordList& list = ruleList(*harness);
    RulePage rules{*harness};
    EXPECT_EQ(rules.names(), (std::vector<std::string>{"d", "b", "e", "a", "c"}));
    list.headerClick(5);
    EXPECT_EQ(rules.names(), (std::vector<std::string>{"c", "a", "e", "b", "d"}));
    EXPECT_EQ(rules.data.settings.regSortCol, 5);
    EXPECT_FALSE(rules.data.settings.regSortDes);
    list.headerClick(0);
    EXPECT_EQ(rules.names(), (std::vector<std::string>{"a", "b", "c", "d", "e"})) << "newest (highest ID) first";

    rules.select({2}); // "c": 7 of 16 hits, the most used
    EXPECT_NE(harness->form().findChild<QLabel*>(QStringLiteral("reg_viewcount"))->text(), QStringLiteral("-"));
    EXPECT_TRUE(
        harness->form().findChild<QLabel*>(QStringLiteral("reg_viewpower"))->text().startsWith(QStringLiteral("100")));
    rules.select({});
    EXPECT_EQ(harness->form().findChild<QLabel*>(QStringLiteral("reg_viewpower"))->text(), QStringLiteral("-"));
}

} // namespace
} // namespace kestrin::test
