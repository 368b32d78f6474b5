// Scheduling and the check cycle as the window runs it: the timer's interval,
// check-now requests during a cycle, the progress in status bar, tray hint and
// icon, and the end-of-cycle step with its hint, icons and notices.
#include "main_test_support.h"

#include "peers/scripted_server.h"
#include "storage/report_file.h"
#include "storage/settings_lists.h"
#include "text/cp1250.h"
#include "ui/common/tray_icon_files.h"
#include "ui/main/new_mail_notice.h"

#include <QAction>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>

namespace kestrin::test {
namespace {

class RecordingNotice : public ui::NewMailNotice {
public:
    void show(const QString& sender, const QString& subject) override { shown.push_back({sender, subject}); }
    void closeIfOpen() override { ++closes; }

    std::vector<std::pair<QString, QString>> shown;
    int closes = 0;
};

int position(SettingsList list, const char* item)
{
    const auto& items = listItems(list);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item)
            return static_cast<int>(i);
    return -1;
}

QTimer* killTimer(ui::Tmain& form)
{
    return &form.session().checkTimer();
}

QString trayHint(ui::Tmain& form)
{
    return form.findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->toolTip();
}

bool runCycle(ui::Tmain& form)
{
    form.session().kill_timerTimer();
    return waitUntil([&form] { return !form.session().state().cycleRunning; });
}

class MainCycleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindowHarness>(folder.path());
        ASSERT_TRUE(window->form->FormCreate());
        form().session().data().settings.skipNetCheck = true;
    }
    ui::Tmain& form() { return *window->form; }

    ProgramFolder folder;
    std::unique_ptr<MainWindowHarness> window;
};

TEST_F(MainCycleTest, IntervalComesFromTheSettingsAndCountsFromTheEndOfTheCycle)
{
    const int fiveMinutes = position(SettingsList::Min, "5 min");
    const int thirtySeconds = position(SettingsList::Sek, "30 sek");
    const int threeHundredMinutes = position(SettingsList::Min, "300 min");
    const int noSeconds = position(SettingsList::Sek, "0 sek");
    ASSERT_GE(fiveMinutes, 0);
    ASSERT_GE(threeHundredMinutes, 0);

    form().session().checkTimer().setInterval(static_cast<int>(checkIntervalMs(fiveMinutes, thirtySeconds)));
    EXPECT_EQ(killTimer(form())->interval(), 330000);
    EXPECT_FALSE(form().session().checkTimerActive()); // off until the first cycle has ended

    form().session().checkTimer().setInterval(static_cast<int>(checkIntervalMs(threeHundredMinutes, noSeconds)));
    ASSERT_TRUE(runCycle(form()));
    EXPECT_TRUE(form().session().checkTimerActive());
    EXPECT_EQ(killTimer(form())->interval(), 18000000);
    // Counted from the end of the cycle: the whole interval is still ahead.
    EXPECT_GT(killTimer(form())->remainingTime(), 17000000);

    // A new interval applied while the timer runs takes effect on the running timer.
    form().session().checkTimer().setInterval(static_cast<int>(checkIntervalMs(fiveMinutes, thirtySeconds)));
    EXPECT_TRUE(form().session().checkTimerActive());
    // (Qt's coarse timers may stretch an interval by up to 5 %.)
    EXPECT_LT(killTimer(form())->remainingTime(), 350000);
    EXPECT_GT(killTimer(form())->remainingTime(), 310000);
}

TEST_F(MainCycleTest, CheckNowDuringACycleIsIgnoredNotQueued)
{
    if (!networkPresent())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    std::vector<std::string> script = pop3Login();
    for (const char* row : {"C: STAT", "WAIT 1500", "S: +OK 0 0", "C: QUIT", "S: +OK bye"})
        script.emplace_back(row);
    ScriptedServer server(script);
    form().session().data().accounts = {loopbackAccount(server.port())};
    form().session().checkTimer().setInterval(330000);
    form().setTrayAction(ui::TrayAction::CheckNow);

    form().session().kill_timerTimer();
    ASSERT_TRUE(waitUntil([this] { return statusPanel(form(), 1) == QStringLiteral("50%"); }));
    auto* checkNow = form().findChild<QPushButton*>(QStringLiteral("pop3_checknow"));
    EXPECT_FALSE(checkNow->isEnabled());
    // Every way of asking for a check, while the server keeps the cycle waiting.
    form().findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->click();
    form().findChild<QAction*>(QStringLiteral("tool_checknow"))->trigger();
    form().findChild<QAction*>(QStringLiteral("pop_checknow"))->trigger();
    form().findChild<QAction*>(QStringLiteral("pop_trayaction"))->trigger();
    EXPECT_TRUE(form().session().state().cycleRunning);

    ASSERT_TRUE(waitUntil([this] { return !form().session().state().cycleRunning; }));
    EXPECT_TRUE(server.finish().empty());
    // No second cycle follows: the next one is a whole interval away.
    runEventsFor(300);
    EXPECT_FALSE(form().session().state().cycleRunning);
    EXPECT_TRUE(form().session().checkTimerActive());
    EXPECT_GT(killTimer(form())->remainingTime(), 310000);
    EXPECT_EQ(statusPanel(form(), 0), QStringLiteral("Czuwanie..."));

    // Once idle, the same command starts a cycle at once (no account: it ends at once).
    form().session().data().accounts.clear();
    form().findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->click();
    EXPECT_TRUE(form().session().state().cycleRunning);
    ASSERT_TRUE(waitUntil([this] { return !form().session().state().cycleRunning; }));
}

TEST_F(MainCycleTest, ProgressShowsInStatusBarTrayHintAndScanIcon)
{
    struct Case {
        uint8_t percent;
        int icon;
    };
    for (const Case c : {Case{0, 0}, Case{1, 1}, Case{14, 1}, Case{15, 2}, Case{50, 4}, Case{99, 7}, Case{100, 7}}) {
        form().session().cycleProgress(c.percent);
        const QString text = QString::number(c.percent) + QLatin1Char('%');
        EXPECT_EQ(statusPanel(form(), 1), text);
        EXPECT_EQ(trayHint(form()), text);
        EXPECT_EQ(form().trayIconFile(), ui::scanIconPath(folder.path(), c.icon)) << int{c.percent};
    }
    form().session().cycleStatus(utf8ToCp1250("Łączenie z Skrzynka (127.0.0.1), próba 1 z 3..."));
    EXPECT_EQ(statusPanel(form(), 0), QStringLiteral("Łączenie z Skrzynka (127.0.0.1), próba 1 z 3..."));

    // A missing picture is reported once, after the step, and the program goes on.
    std::filesystem::remove(folder.file("data/scan3.ico"));
    form().session().cycleProgress(40);
    form().session().cycleProgress(42);
    EXPECT_EQ(statusPanel(form(), 1), QStringLiteral("42%"));
    EXPECT_TRUE(window->prompter.shown.empty());
    runEventsFor(50);
    ASSERT_EQ(window->prompter.shown.size(), 1u);
    EXPECT_EQ(window->prompter.shown[0].icon, ui::PromptIcon::Error);
    EXPECT_TRUE(window->prompter.shown[0].text.contains(QStringLiteral("scan3.ico")));
}

TEST_F(MainCycleTest, EndOfCycleHintSummarisesThisRunsCounters)
{
    form().session().data().counters.run = {5, 2, 1};
    form().session().data().counters.totals.checkMsg = 900;
    ASSERT_TRUE(runCycle(form()));
    EXPECT_EQ(trayHint(form()), QStringLiteral("Kestrin sweeper - aktualna statystyka:\r\rSprawdzonych wiadomości: 5\r"
                                               "Zaakceptowanych wiadomości: 3\rUsuniętych wiadomości: 2"));
    EXPECT_EQ(statusPanel(form(), 1), QStringLiteral("-"));

    // Long counters: the tray takes at most 127 characters of it.
    form().session().data().counters.run = {4000000000u, 3999999999u, 0};
    ASSERT_TRUE(runCycle(form()));
    const QString full =
        QStringLiteral("Kestrin sweeper - aktualna statystyka:\r\rSprawdzonych wiadomości: 4000000000\r"
                       "Zaakceptowanych wiadomości: 1\rUsuniętych wiadomości: 3999999999");
    ASSERT_GT(full.size(), 127);
    EXPECT_EQ(trayHint(form()), full.left(127));
}

TEST_F(MainCycleTest, NewMailRunsTheNoticeMailProgramAndNewMailIcon)
{
    if (!networkPresent())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    const std::string message = mailMessage("Jan Nowak <jan@example.org>", "Spotkanie", "m1@example.org");
    std::vector<std::string> script = pop3Login();
    for (const char* row : {"C: STAT", "S: +OK 1 200", "C: LIST 1", "S: +OK 1 200"})
        script.emplace_back(row);
    for (const std::string& row : pop3Retrieve(1, message))
        script.push_back(row);
    script.emplace_back("C: QUIT");
    script.emplace_back("S: +OK bye");
    ScriptedServer server(script);
    RecordingNotice notice;
    form().setNewMailNotice(&notice);
    form().session().data().accounts = {loopbackAccount(server.port())};
    form().session().data().settings.newMailTrayIcon = 9;
    form().session().data().settings.mailCheckRunMail = true;
    form().session().data().settings.mail = "/usr/bin/thunderbird";

    ASSERT_TRUE(runCycle(form()));
    EXPECT_TRUE(server.finish().empty());
    EXPECT_EQ(form().session().state().newMailCount, 1u);
    ASSERT_EQ(notice.shown.size(), 1u);
    EXPECT_EQ(notice.shown[0].first, QStringLiteral("Jan Nowak <jan@example.org>"));
    EXPECT_EQ(notice.shown[0].second, QStringLiteral("Spotkanie"));
    ASSERT_EQ(window->shell.requests.size(), 1u);
    EXPECT_EQ(window->shell.requests[0].target, QStringLiteral("/usr/bin/thunderbird"));
    EXPECT_EQ(form().trayIconFile(), ui::trayIconPath(folder.path(), 9));
    // The counters and the report of the cycle, saved at its end.
    EXPECT_EQ(form().session().data().counters.run.checked, 1u);
    ASSERT_EQ(form().session().data().report.size(), 1u);
    EXPECT_EQ(form().session().data().report[0].rfind("mail|<m1@example.org>", 0), 0u)
        << form().session().data().report[0];
    EXPECT_EQ(loadReportFile(reportFilePath(folder.path())), form().session().data().report);

    // Minimising ends the new-mail icon and closes the notice.
    form().showMinimized();
    EXPECT_EQ(notice.closes, 1);
    EXPECT_EQ(form().trayIconFile(), ui::trayIconPath(folder.path(), form().session().data().settings.normalTrayIcon));
}

TEST_F(MainCycleTest, AnnouncedUpdateTakesPrecedenceAndStartsTheUpdater)
{
    RecordingNotice notice;
    form().setNewMailNotice(&notice);
    auto* popUpdate = form().findChild<QAction*>(QStringLiteral("pop_update"));
    auto* toolUpdate = form().findChild<QAction*>(QStringLiteral("tool_update"));
    // Not announced: the command does nothing.
    popUpdate->trigger();
    EXPECT_TRUE(window->shell.requests.empty());

    ASSERT_TRUE(runCycle(form()));
    EXPECT_EQ(form().trayIconFile(), ui::trayIconPath(folder.path(), 0)); // idle: no mail, no update
    EXPECT_FALSE(toolUpdate->isVisible());

    form().session().announceUpdate("0.8.0", "historia.txt", "setup 080.exe");
    ASSERT_TRUE(runCycle(form()));
    EXPECT_EQ(form().trayIconFile(), ui::updateIconPath(folder.path()));
    for (const char* name : {"pop_update", "pop_update_n", "tool_update", "sep3"})
        EXPECT_TRUE(form().findChild<QAction*>(QLatin1String(name))->isVisible()) << name;
    auto* blink = form().findChild<QTimer*>(QStringLiteral("updateblink_timer"));
    EXPECT_TRUE(blink->isActive());
    EXPECT_EQ(blink->interval(), 400);
    EXPECT_TRUE(notice.shown.empty());

    toolUpdate->trigger();
    ASSERT_EQ(window->shell.requests.size(), 1u);
    EXPECT_EQ(window->shell.requests[0].target, QString::fromStdString(folder.file("Update.exe")));
    EXPECT_EQ(window->shell.requests[0].arguments, texts({"0.7.4", "0.8.0", "historia.txt", "setup", "080.exe"}));
    // The updater that cannot be started is reported, not passed over.
    window->shell.result = false;
    popUpdate->trigger();
    runEventsFor(50);
    ASSERT_EQ(window->prompter.shown.size(), 1u);
    EXPECT_TRUE(window->prompter.shown[0].text.contains(QStringLiteral("Update.exe")));
}

} // namespace
} // namespace kestrin::test
