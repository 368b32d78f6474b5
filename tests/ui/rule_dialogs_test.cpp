// The rule editor and the similar-rule search as a user drives them from the
// rule page: what reaches the page and the file, what the form shows after
// each step, and which boxes stop a save. The save steps themselves are tested
// in the core; here only that the window follows them.
#include "main_test_support.h"

#include "engine/rule_vocabulary.h"
#include "storage/record_tables.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_time.h"
#include "ui/dialogs/overlap_form.h"
#include "ui/dialogs/rule_form.h"
#include "ui/pages/record_list.h"
#include "ui/pages/rules_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

RuleRecord rule(const char* name, RuleField field, int sub, const char* value)
{
    RuleRecord r;
    r.name = winLiteral(name);
    r.typ = static_cast<uint8_t>(field);
    r.sub = static_cast<uint8_t>(sub);
    r.str = winLiteral(value);
    r.act = {true, false, false, true};
    return r;
}

std::vector<std::string> storedNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const RuleRecord& stored : loadRules(folder))
        names.push_back(stored.name);
    return names;
}

class RuleDialogs : public ::testing::Test {
protected:
    void start(const std::vector<RuleRecord>& rules)
    {
        Settings settings = defaultSettings(folder.path(), localNow());
        settings.skipNetCheck = true;
        settings.smtpHost = "127.0.0.1";
        settings.smtpMail = "filtr@example.org";
        saveSettingsFile(folder.path(), settings);
        saveRules(folder.path(), rules);
        harness = std::make_unique<ProgramHarness>(folder.path());
        ASSERT_TRUE(harness->program->start());
        ASSERT_TRUE(waitUntil([this] { return !harness->program->session().state().cycleRunning; }));
        page = harness->form().findChild<ui::RulesPage*>();
        ASSERT_NE(page, nullptr);
    }
    const std::vector<RuleRecord>& rules() const { return harness->program->session().data().rules; }
    void selectRows(std::initializer_list<int> rows)
    {
        QTreeView& view = *page->list().view();
        view.selectionModel()->clear();
        for (int row : rows)
            view.selectionModel()->select(view.model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    void fill(ui::Treg_addform& form, const QString& name, RuleField field, int line, const QString& value)
    {
        control<QLineEdit>(form, "reg_nazwa").setText(name);
        control<QComboBox>(form, "reg_typ").setCurrentIndex(static_cast<int>(field));
        form.reg_typChange();
        control<QComboBox>(form, "reg_sub").setCurrentIndex(line);
        control<QComboBox>(form, "reg_str").setCurrentText(value);
    }

    ProgramFolder folder;
    std::unique_ptr<ProgramHarness> harness;
    ui::RulesPage* page = nullptr;
};

TEST_F(RuleDialogs, DodajSavesToPageAndFileAndStaysOpenWithTheDefaults)
{
    start({rule("Stara", RuleField::Subject, 0, "promocja")});
    page->list().createClick();
    ui::Treg_addform* form = page->ruleEditor();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(control<QPushButton>(*form, "reg_add").text(), QStringLiteral("&Dodaj"));

    fill(*form, QStringLiteral("Łańcuszki"), RuleField::Body, 5, QStringLiteral("przekaż dalej"));
    form->reg_addClick();
    ASSERT_EQ(rules().size(), 2u);
    EXPECT_EQ(rules()[1].name, winLiteral("Łańcuszki"));
    EXPECT_EQ(rules()[1].sub, static_cast<uint8_t>(TextCondition::AnyWord)) << "line 5 is code 4";
    EXPECT_EQ(storedNames(folder.path()), (std::vector<std::string>{"Stara", winLiteral("Łańcuszki")}));
    EXPECT_EQ(page->list().model().rowCount(), 2);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(control<QLineEdit>(*form, "reg_nazwa").text().isEmpty());
    EXPECT_EQ(control<QComboBox>(*form, "reg_typ").currentText(), QStringLiteral("nadawca"));
    EXPECT_TRUE(harness->prompter.shown.empty());

    // The same conditions under another name: refused, the form keeps its input.
    fill(*form, QStringLiteral("Inna"), RuleField::Subject, 0, QStringLiteral("promocja"));
    form->reg_addClick();
    ASSERT_EQ(harness->prompter.shown.size(), 1u);
    EXPECT_EQ(harness->prompter.shown[0].caption, QStringLiteral("Błąd dodawania reguły wiadomości"));
    EXPECT_EQ(harness->prompter.shown[0].text, QStringLiteral("Reguła wiadomości o podanych warunkach już istnieje!"));
    EXPECT_EQ(control<QLineEdit>(*form, "reg_nazwa").text(), QStringLiteral("Inna"));
    EXPECT_EQ(rules().size(), 2u);
}

TEST_F(RuleDialogs, QuestionsAreAskedInTurnAndNoSavesNothing)
{
    start({});
    page->list().createClick();
    ui::Treg_addform& form = *page->ruleEditor();
    fill(form, QStringLiteral("Duże"), RuleField::Size, 0, QStringLiteral("300"));
    harness->prompter.answers = {false};
    form.reg_addClick();
    ASSERT_EQ(harness->prompter.asked.size(), 1u);
    EXPECT_EQ(harness->prompter.asked[0].caption, QStringLiteral("Dodawanie reguły wiadomości"));
    EXPECT_TRUE(rules().empty());
    EXPECT_EQ(control<QComboBox>(form, "reg_str").currentText(), QStringLiteral("300")) << "No keeps the input";

    fill(form, QStringLiteral("Bez małpy"), RuleField::Sender, 0, QString());
    harness->prompter.answers = {true, true};
    form.reg_addClick();
    ASSERT_EQ(harness->prompter.asked.size(), 3u);
    EXPECT_TRUE(harness->prompter.asked[1].text.startsWith(QStringLiteral("Nie podano treści")));
    EXPECT_TRUE(harness->prompter.asked[2].text.startsWith(QStringLiteral("Podany adres e-mail w polu treści")));
    ASSERT_EQ(rules().size(), 1u);
    EXPECT_EQ(rules()[0].name, winLiteral("Bez małpy"));
}

TEST_F(RuleDialogs, EditShowsTheStoredRuleSavesOverItAndCloses)
{
    RuleRecord reply = rule("Odpowiedź", RuleField::Subject, 7, "kredyt pożyczka");
    reply.act = {false, true, true, false};
    reply.sendto = "kopie@example.org";
    reply.restr = winLiteral("Dzień dobry,\r\nnie, dziękuję.");
    reply.stat = 12;
    start({rule("Priorytet", RuleField::Priority, 1, "niski (4)"), reply});

    selectRows({0, 1});
    page->list().editClick();
    ASSERT_EQ(harness->prompter.shown.size(), 1u);
    EXPECT_EQ(harness->prompter.shown[0].caption, QStringLiteral("Edycja reguły wiadomości"));
    EXPECT_EQ(page->ruleEditor(), nullptr);

    page->openRuleEditor(1, true);
    ui::Treg_addform& form = *page->ruleEditor();
    EXPECT_EQ(control<QPushButton>(form, "reg_add").text(), QStringLiteral("&OK"));
    EXPECT_FALSE(control<QPushButton>(form, "reg_clean").isEnabled());
    EXPECT_EQ(control<QLineEdit>(form, "reg_stat").text(), QStringLiteral("12"));
    EXPECT_EQ(control<QComboBox>(form, "reg_sub").currentText(), QStringLiteral("nie zawiera żadnych słów"));
    EXPECT_EQ(control<QPlainTextEdit>(form, "reg_restr").toPlainText(), QStringLiteral("Dzień dobry,\nnie, dziękuję."));
    EXPECT_TRUE(control<QLineEdit>(form, "reg_sendto").isEnabled());

    // Unchecking the forward line disables the address but keeps it.
    control<QListWidget>(form, "reg_act").item(1)->setCheckState(Qt::Unchecked);
    EXPECT_FALSE(control<QLineEdit>(form, "reg_sendto").isEnabled());
    form.reg_addClick();
    EXPECT_TRUE(harness->prompter.asked.empty());
    EXPECT_FALSE(form.isVisible()) << "edit mode closes after OK";
    const std::vector<RuleRecord> stored = loadRules(folder.path());
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].restr, reply.restr) << "line ends as stored";
    EXPECT_EQ(stored[1].sendto, reply.sendto);
    EXPECT_EQ(stored[1].act, (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(stored[1].stat, 12u);
    EXPECT_EQ(stored[1].sub, 7);

    // A stored priority shows on the fixed list and saves unchanged.
    ui::Treg_addform& priority = *page->openRuleEditor(0, true);
    EXPECT_EQ(control<QComboBox>(priority, "reg_str").currentText(), QStringLiteral("niski (4)"));
    EXPECT_EQ(control<QComboBox>(priority, "reg_sub").currentIndex(), 1);
    priority.reg_addClick();
    EXPECT_EQ(loadRules(folder.path())[0].str, winLiteral("niski (4)"));
}

TEST_F(RuleDialogs, TheFieldDecidesConditionsPresetsAndWhetherTheValueIsFree)
{
    start({});
    ui::Treg_addform& form = *page->openRuleEditor(-1, false);
    struct Case {
        RuleField field;
        int conditionLines;
        int presets;
        bool editable;
        const char* shown;
    };
    const Case cases[] = {
        {RuleField::Priority, 2, 5, false, "normalny (3)"},
        {RuleField::Subject, 14, 0, true, ""},
        {RuleField::Size, 1, 7, true, ""},
        {RuleField::Charset, 2, 5, true, ""},
        {RuleField::MimeVersion, 2, 1, true, ""},
    };
    QComboBox& value = control<QComboBox>(form, "reg_str");
    for (const Case& c : cases) {
        control<QComboBox>(form, "reg_typ").setCurrentIndex(static_cast<int>(c.field));
        form.reg_typChange();
        SCOPED_TRACE(static_cast<int>(c.field));
        EXPECT_EQ(control<QComboBox>(form, "reg_sub").count(), c.conditionLines);
        EXPECT_EQ(control<QComboBox>(form, "reg_sub").currentIndex(), 0);
        EXPECT_EQ(value.count(), c.presets);
        EXPECT_EQ(value.isEditable(), c.editable);
        EXPECT_EQ(value.currentText(), QString::fromUtf8(c.shown));
    }
    // A separator line is no condition.
    fill(form, QStringLiteral("Separator"), RuleField::Subject, 4, QStringLiteral("x"));
    form.reg_addClick();
    ASSERT_EQ(harness->prompter.shown.size(), 1u);
    EXPECT_TRUE(harness->prompter.shown[0].text.endsWith(QStringLiteral("warunku logicznego!")));
}

TEST_F(RuleDialogs, OverlapSearchListsDeletesCheckedAndRenumbersTheRest)
{
    start({rule("a", RuleField::Sender, 0, "x"), rule("b", RuleField::Sender, 0, "ab@x"),
           rule("c", RuleField::Subject, 0, "oferta"), rule("d", RuleField::Sender, 0, "cd@x"),
           rule("e", RuleField::Subject, 0, "tania oferta")});
    ui::Tsimreg& search = *page->openOverlapSearch();
    search.simreg_delClick();
    ASSERT_EQ(harness->prompter.shown.size(), 1u) << "nothing found yet";
    search.simreg_searchClick();
    const auto ids = [&search] {
        std::vector<size_t> shown;
        for (const OverlapLine& line : search.lines())
            shown.push_back(line.id);
        return shown;
    };
    ASSERT_EQ(ids(), (std::vector<size_t>{1, 3, 4}));
    EXPECT_EQ(search.lines()[2].coveredBy, "c");

    search.invselClick();
    auto& list = *search.findChild<QTreeWidget*>(QStringLiteral("simreg_list"));
    list.topLevelItem(0)->setCheckState(0, Qt::Checked); // only "b" (1) stays checked
    harness->prompter.answers = {true};
    search.simreg_delClick();
    EXPECT_EQ(ids(), (std::vector<size_t>{2, 3})) << "the later lines follow the deletion";
    EXPECT_EQ(storedNames(folder.path()), (std::vector<std::string>{"a", "c", "d", "e"}));
    EXPECT_EQ(page->list().model().rowCount(), 4);

    search.selallClick();
    harness->prompter.answers = {true};
    search.simreg_delClick();
    EXPECT_TRUE(search.lines().empty());
    EXPECT_EQ(storedNames(folder.path()), (std::vector<std::string>{"a", "c"}));
}

TEST_F(RuleDialogs, OverlapSearchWithOneRuleDoesNothing)
{
    start({rule("a", RuleField::Sender, 0, "x")});
    page->openOverlapSearch()->simreg_searchClick();
    EXPECT_TRUE(harness->prompter.shown.empty());
}

} // namespace
} // namespace kestrin::test
