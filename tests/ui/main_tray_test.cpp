// The window around the tray icon: minimising and the new-entry count,
// showing and hiding with and without a notification area, the icon coming
// back with its host, the default item, and the commands of the menu and the
// toolbar that start other programs.
#include "main_test_support.h"

#include "text/cp1250.h"
#include "ui/common/tray_icon_files.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

QAction* action(ui::Tmain& form, const char* name)
{
    return form.findChild<QAction*>(QLatin1String(name));
}

QSystemTrayIcon* tray(ui::Tmain& form)
{
    return form.findChild<QSystemTrayIcon*>(QStringLiteral("tray"));
}

CycleResult mailResult()
{
    return {{ResultFlag::Checked},
            "<id>|\xA6|date|\xA6||\xA6|-|\xA6|Skrzynka|\xA6|Jan|\xA6|jan@example.org|\xA6|Temat|\xA6|1 "
            "kb|\xA6||\xA6|0|\xA6|0",
            true,
            {}};
}

bool runCycle(ui::Tmain& form)
{
    form.session().kill_timerTimer();
    return waitUntil([&form] { return !form.session().state().cycleRunning; });
}

TEST(MainTray, MinimisingKeepsTheBoldRowsButRestartsTheNewEntryCount)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    form.session().data().settings.skipNetCheck = true;
    form.session().data().settings.normalTrayIcon = 3;

    form.session().cycleResult(mailResult());
    form.session().cycleResult(mailResult());
    EXPECT_EQ(form.session().state().newEntryCount, 2);
    EXPECT_EQ(form.session().data().report.size(), 2u);

    // While a cycle runs the icon stays the cycle's; the count is negated all the same.
    form.session().kill_timerTimer();
    const QString cycleIcon = form.trayIconFile();
    form.showMinimized();
    EXPECT_EQ(form.session().state().newEntryCount, -2);
    EXPECT_EQ(form.trayIconFile(), cycleIcon);
    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }));

    // The next entry counts from 1; a second minimise keeps a negative count negative.
    form.session().cycleResult(mailResult());
    EXPECT_EQ(form.session().state().newEntryCount, 1);
    form.session().cycleResult(mailResult());
    EXPECT_EQ(form.session().state().newEntryCount, 2);
    form.showNormal();
    form.showMinimized();
    EXPECT_EQ(form.session().state().newEntryCount, -2);
    form.showNormal();
    form.showMinimized();
    EXPECT_EQ(form.session().state().newEntryCount, -2);
    // No cycle runs now: minimising shows the idle icon.
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 3));
    // A result without a report entry leaves the count alone.
    form.session().cycleResult({{ResultFlag::Error}, "", false, {}});
    EXPECT_EQ(form.session().state().newEntryCount, -2);
}

TEST(MainTray, ShowHideAndMinimiseGoToTheTrayOnlyWhereOneExists)
{
    ProgramFolder folder;
    {
        MainWindowHarness window(folder.path());
        window.trayAvailable = true;
        ui::Tmain& form = *window.form;
        ASSERT_TRUE(form.FormCreate());
        EXPECT_FALSE(form.isVisible());
        action(form, "pop_show")->trigger();
        EXPECT_TRUE(form.isVisible());
        action(form, "pop_hide")->trigger();
        EXPECT_FALSE(form.isVisible());
        action(form, "pop_show")->trigger();
        form.showMinimized();
        EXPECT_TRUE(waitUntil([&form] { return !form.isVisible(); }));
        action(form, "pop_show")->trigger();
        EXPECT_TRUE(form.isVisible());
        EXPECT_FALSE(form.isMinimized());
    }
    {
        MainWindowHarness window(folder.path());
        window.trayAvailable = false;
        ui::Tmain& form = *window.form;
        ASSERT_TRUE(form.FormCreate());
        // Without a tray, minimising leaves the window to the task bar.
        form.showMinimized();
        runEventsFor(50);
        EXPECT_TRUE(form.isVisible());
        action(form, "pop_hide")->trigger();
        runEventsFor(50);
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.isMinimized());
        action(form, "pop_show")->trigger();
        EXPECT_FALSE(form.isMinimized());
    }
}

TEST(MainTray, IconComesBackWithItsHostAndTheWindowStaysReachable)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    window.trayAvailable = false;
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.findChild<QTimer*>(QStringLiteral("trayhost_timer"))->isActive(), true);

    window.trayAvailable = true; // a status-notifier host started
    form.trayhost_timerTimer();
    EXPECT_TRUE(form.trayMode());
    EXPECT_TRUE(tray(form)->isVisible());
    form.showMinimized();
    EXPECT_TRUE(waitUntil([&form] { return !form.isVisible(); }));

    window.trayAvailable = false; // the panel went away while the window was hidden
    form.trayhost_timerTimer();
    EXPECT_FALSE(form.trayMode());
    EXPECT_TRUE(form.isVisible());
}

TEST(MainTray, DefaultItemIsBoldAndDoubleClickRunsTheChosenCommand)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    window.trayAvailable = true;
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());
    form.session().data().settings.skipNetCheck = true;
    form.session().data().settings.mail = "/usr/bin/poczta";
    auto* menu = form.findChild<QMenu*>(QStringLiteral("pop_menu"));

    // Before the settings are applied there is no default item: a double-click does nothing.
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(form.isVisible());

    form.setTrayAction(ui::TrayAction::ShowWindow);
    EXPECT_EQ(menu->defaultAction(), action(form, "pop_trayaction"));
    EXPECT_TRUE(action(form, "pop_trayaction")->isVisible());
    EXPECT_TRUE(action(form, "pop_trayaction_n")->isVisible());
    EXPECT_TRUE(action(form, "pop_trayaction")->font().bold());
    EXPECT_EQ(action(form, "pop_trayaction")->text(), QStringLiteral("Pokaż okno programu"));
    emit tray(form)->activated(QSystemTrayIcon::Trigger); // a single click is no double-click
    EXPECT_FALSE(form.isVisible());
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(form.isVisible());

    form.setTrayAction(ui::TrayAction::RunMail);
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    ASSERT_EQ(window.shell.requests.size(), 1u);
    EXPECT_EQ(window.shell.requests[0].target, QStringLiteral("/usr/bin/poczta"));

    // "Sprawdź konta pocztowe" checks only while pop3_checknow is enabled.
    form.setTrayAction(ui::TrayAction::CheckNow);
    form.findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->setEnabled(false);
    ASSERT_TRUE(runCycle(form)); // the timer runs from now on
    form.findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->setEnabled(false);
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_FALSE(form.session().state().cycleRunning);
    form.findChild<QPushButton*>(QStringLiteral("pop3_checknow"))->setEnabled(true);
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_TRUE(form.session().state().cycleRunning);
    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }));

    // The archive is not part of the program yet: its item does nothing.
    form.setTrayAction(ui::TrayAction::ShowArchive);
    emit tray(form)->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(window.shell.requests.size(), 1u);
    EXPECT_TRUE(window.prompter.shown.empty());
}

TEST(MainTray, MailProgramSettingsAndReportCommands)
{
    ProgramFolder folder;
    MainWindowHarness window(folder.path());
    ui::Tmain& form = *window.form;
    ASSERT_TRUE(form.FormCreate());

    form.session().data().settings.mail.clear();
    action(form, "tool_mail")->trigger();
    action(form, "pop_mail")->trigger();
    EXPECT_TRUE(window.shell.requests.empty());

    form.session().data().settings.mail = utf8ToCp1250("/opt/Pocztówka/bin/poczta"); // settings hold Windows-1250
    action(form, "pop_mail")->trigger();
    ASSERT_EQ(window.shell.requests.size(), 1u);
    EXPECT_EQ(window.shell.requests[0].target, QStringLiteral("/opt/Pocztówka/bin/poczta"));
    window.shell.result = false;
    action(form, "tool_mail")->trigger();
    runEventsFor(50);
    ASSERT_EQ(window.prompter.shown.size(), 1u);
    EXPECT_TRUE(window.prompter.shown[0].text.contains(QStringLiteral("/opt/Pocztówka/bin/poczta")));

    // tool_sett: greyed until the settings window is there; then it disables this window and shows it.
    EXPECT_FALSE(action(form, "tool_sett")->isEnabled());
    int shownSettings = 0;
    form.setSettingsCommand([&shownSettings] { ++shownSettings; });
    ASSERT_TRUE(action(form, "tool_sett")->isEnabled());
    action(form, "tool_sett")->trigger();
    EXPECT_EQ(shownSettings, 1);
    EXPECT_FALSE(form.isEnabled());
    form.setMainWindowEnabled(true);

    // "&Wyczyść" asks first; No keeps the report.
    form.session().data().report = {"run|Uruchomienie aplikacji: 2025-01-13 / 08:00:00", "error|Błąd"};
    window.prompter.answers = {false, true};
    form.findChild<QPushButton*>(QStringLiteral("stat_reset"))->click();
    EXPECT_EQ(form.session().data().report.size(), 2u);
    ASSERT_EQ(window.prompter.asked.size(), 1u);
    EXPECT_EQ(window.prompter.asked[0].caption, QStringLiteral("Czyszczenie raportu"));
    EXPECT_EQ(window.prompter.asked[0].text, QStringLiteral("Czy na pewno usunąć wszystkie elementy raportu?"));
    form.findChild<QPushButton*>(QStringLiteral("stat_reset"))->click();
    EXPECT_TRUE(form.session().data().report.empty());

    // Transparency and the window's close box.
    form.setTransparency(true, 127);
    EXPECT_NEAR(form.mainWindowOpacity(), 127 / 255.0, 0.01);
    form.setTransparency(false, 127);
    EXPECT_DOUBLE_EQ(form.mainWindowOpacity(), 1.0);
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    EXPECT_FALSE(form.shutDown());
    EXPECT_EQ(window.quitRequests, 0);
}

} // namespace
} // namespace kestrin::test
