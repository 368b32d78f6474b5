// The report page as a user works it: the menu's enabling rule, each command
// on a message (marks and their refusals, rule, friend, answer, details), the
// view switch and the statistics page following the marks and resets. The
// marks' effects on the files are tested through the session and the CLI.
#include "main_test_support.h"

#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_time.h"
#include "ui/dialogs/friend_form.h"
#include "ui/dialogs/report_detail_form.h"
#include "ui/dialogs/rule_form.h"
#include "ui/pages/friends_page.h"
#include "ui/pages/report_page.h"
#include "ui/pages/report_row_delegate.h"
#include "ui/pages/rules_page.h"
#include "ui/pages/statistics_page.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

std::string mailLine(const std::string& sender, const std::string& subject, const std::string& actions)
{
    return "mail|<" + sender + ">|\xA6|2025-01-13 / 08:00:00|\xA6|" + actions + "|\xA6|-|\xA6|Konto|\xA6|Ala|\xA6|" +
           sender + "|\xA6|" + subject + "|\xA6|3 kb|\xA6|kredyt tanio|\xA6|0|\xA6|0";
}

class ReportPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings settings = defaultSettings(folder.path(), localNow());
        settings.skipNetCheck = true;
        saveSettingsFile(folder.path(), settings);
        // Line 0 of the running report is the start line.
        saveReportFile(reportFilePath(folder.path()),
                       {mailLine("ala@example.com", winLiteral("Tanie kredyty"), "a"),
                        mailLine("a@x.pl?body=hej&cc=b@y.pl", "50% taniej", "ad"), "error|Brak sieci|\xA6|szczegóły"});
        harness = std::make_unique<ProgramHarness>(folder.path());
        ASSERT_TRUE(harness->program->start());
        ASSERT_TRUE(waitUntil([this] { return !harness->program->session().state().cycleRunning; }));
        page = harness->form().findChild<ui::ReportPage*>();
        stats = harness->form().findChild<ui::StatisticsPage*>();
        ASSERT_NE(page, nullptr);
        ASSERT_NE(stats, nullptr);
    }
    QAction& action(const char* name) { return control<QAction>(harness->form(), name); }
    std::vector<std::string> fields(size_t line) { return reportFields(session().data().report.at(line)); }
    session::ProgramSession& session() { return harness->program->session(); }
    QString statLabel(const char* name) { return control<QLabel>(*stats, name).text(); }
    Prompt takeOneBox()
    {
        EXPECT_EQ(harness->prompter.shown.size(), 1u);
        Prompt box = harness->prompter.shown.empty() ? Prompt{} : harness->prompter.shown.front();
        harness->prompter.shown.clear();
        return box;
    }

    ProgramFolder folder;
    std::unique_ptr<ProgramHarness> harness;
    ui::ReportPage* page = nullptr;
    ui::StatisticsPage* stats = nullptr;
};

TEST_F(ReportPageTest, TheMenuServesOnlyMessageRows)
{
    const char* const commands[] = {"report_info", "report_addreg", "report_addfri",
                                    "report_bay",  "report_reply",  "report_todel"};
    struct Case {
        int line;
        bool enabled;
    };
    for (const Case c : {Case{1, true}, Case{0, false}, Case{3, false}, Case{-1, false}}) {
        page->selectLine(c.line);
        emit page->menu().aboutToShow();
        for (const char* name : commands)
            EXPECT_EQ(action(name).isEnabled(), c.enabled) << "line " << c.line << " " << name;
    }
    page->selectLine(0);
    action("report_todel").trigger(); // the start line has no commands
    action("report_bay_good").trigger();
    EXPECT_TRUE(harness->prompter.shown.empty());
    EXPECT_EQ(control<QLabel>(*page, "stat_count").text(), QStringLiteral("4"));
}

TEST_F(ReportPageTest, MarksAndTheirRefusals)
{
    page->selectLine(1);
    action("report_bay_good").trigger();
    EXPECT_EQ(fields(1).back(), "1");
    EXPECT_TRUE(statLabel("bay_stat0").startsWith(QStringLiteral("1 (100"))) << "the statistics follow the mark";
    action("report_bay_bad").trigger();
    Prompt box = takeOneBox();
    EXPECT_EQ(box.caption, QStringLiteral("Filtr Bayesa"));
    EXPECT_EQ(box.text, QStringLiteral("Nie można oznaczyć wybranej wiadomości gdyż została już ona oznaczona!"));

    // Spam and delete on a marked row: the Bayes warning, and the deletion mark still made.
    action("report_bay_badtodel").trigger();
    EXPECT_EQ(takeOneBox().caption, QStringLiteral("Filtr Bayesa"));
    EXPECT_EQ(fields(1)[11], "1");
    EXPECT_EQ(control<QLabel>(*page, "stat_todel").text(), QStringLiteral("1"));
    action("report_todel").trigger();
    box = takeOneBox();
    EXPECT_EQ(box.caption, QStringLiteral("Usuwanie wiadomości"));
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("Nie można oznaczyć wybranej wiadomości do usunięcia")));
    page->selectLine(2); // deleted on the server already
    action("report_todel").trigger();
    EXPECT_EQ(takeOneBox().caption, QStringLiteral("Usuwanie wiadomości"));
    action("report_bay_bad").trigger();
    EXPECT_EQ(fields(2).back(), "2");
    EXPECT_EQ(statLabel("bay_statall"), QStringLiteral("2"));
    EXPECT_EQ(control<QProgressBar>(*stats, "bay_stat1pb").value(), 50);
    EXPECT_EQ(page->list().currentIndex().row(), 2) << "a mark keeps the selection";
}

TEST_F(ReportPageTest, RuleFriendAnswerAndDetailsFromAMessage)
{
    page->selectLine(2);
    action("report_addreg_from").trigger();
    auto* rules = harness->form().findChild<ui::RulesPage*>();
    ui::Treg_addform* rule = rules->ruleEditor();
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(control<QLineEdit>(*rule, "reg_nazwa").text(), QStringLiteral("a@x.pl?body=hej&cc=b@y.pl"));
    EXPECT_EQ(control<QComboBox>(*rule, "reg_typ").currentIndex(), 1);
    EXPECT_EQ(control<QComboBox>(*rule, "reg_sub").currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>(*rule, "reg_str").currentText(), QStringLiteral("a@x.pl?body=hej&cc=b@y.pl"));
    rule->close();

    action("report_addfri").trigger();
    ui::Tfri_addform* friendForm = harness->form().findChild<ui::FriendsPage*>()->friendEditor();
    ASSERT_NE(friendForm, nullptr);
    EXPECT_EQ(control<QLineEdit>(*friendForm, "fri_nazwa").text(), QStringLiteral("Ala"));
    EXPECT_EQ(control<QLineEdit>(*friendForm, "fri_mail").text(), QStringLiteral("a@x.pl?body=hej&cc=b@y.pl"));
    friendForm->close();

    action("report_reply").trigger();
    ASSERT_EQ(harness->shell.requests.size(), 1u);
    EXPECT_EQ(harness->shell.requests[0].target,
              QStringLiteral("mailto:a@x.pl%3Fbody%3Dhej%26cc%3Db@y.pl?Subject=Re%3A%2050%25%20taniej"));

    page->selectLine(1);
    emit page->list().doubleClicked(page->list().currentIndex());
    ui::Tstatdetail* details = page->detailsWindow();
    ASSERT_NE(details, nullptr);
    EXPECT_EQ(control<QLabel>(*details, "subject").text(), QStringLiteral("Tanie kredyty"));
    EXPECT_EQ(control<QLabel>(*details, "acc").text(), QStringLiteral("Konto"));
    EXPECT_EQ(control<QLabel>(*details, "reg").text(), QStringLiteral("-"));
    EXPECT_EQ(control<QLabel>(*details, "topwords").text(), QStringLiteral("kredyt tanio"));
    details->close();
}

TEST_F(ReportPageTest, TheViewSwitchAndTheStatisticsResets)
{
    auto& view = control<QComboBox>(*page, "stat_view");
    EXPECT_EQ(view.currentIndex(), 1) << "RepView 1 by default";
    view.setCurrentIndex(0);
    emit view.activated(0);
    EXPECT_EQ(session().data().settings.repView, 0);
    EXPECT_FALSE(page->rowDelegate().style().advanced);
    EXPECT_EQ(page->list().visualRect(page->list().model()->index(1, 0)).height(), ui::kSimpleRowHeight);

    session().data().counters.run = {8, 1, 0};
    session().data().counters.totals.checkMsg = 20;
    stats->refresh();
    EXPECT_TRUE(statLabel("stat_accept0").startsWith(QStringLiteral("7 (87")));
    EXPECT_EQ(control<QProgressBar>(*stats, "stat_acceptpb0").value(), 88);
    harness->prompter.answers = {false, true};
    control<QAction>(stats->popup(), "stat_clear1").trigger();
    EXPECT_EQ(statLabel("stat_check1"), QStringLiteral("20")) << "No keeps the counters";
    control<QAction>(stats->popup(), "stat_clear1").trigger();
    ASSERT_EQ(harness->prompter.asked.size(), 2u);
    EXPECT_EQ(harness->prompter.asked[1].caption, QStringLiteral("Zerowanie statystyki wiadomości"));
    EXPECT_EQ(statLabel("stat_check1"), QStringLiteral("0"));
    EXPECT_EQ(statLabel("stat_del1"), QStringLiteral("0 (0,00%)"));
    EXPECT_EQ(statLabel("stat_check0"), QStringLiteral("8")) << "the run's counters stay";
}

} // namespace
} // namespace kestrin::test
