// The program's start as the executable runs it: the main window, then the
// settings window, which loads every file, applies the settings in start-up
// mode and starts the first check cycle at once; later applies leave the
// start-up steps out.
#include "main_test_support.h"

#include "peers/scripted_server.h"
#include "storage/record_database.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "storage/settings_lists.h"
#include "text/date_time.h"
#include "ui/common/tray_icon_files.h"
#include "ui/dialogs/options_form.h"

#include <QAction>
#include <QTimer>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin::test {
namespace {

std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int position(SettingsList list, const char* item)
{
    const auto& items = listItems(list);
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == item)
            return static_cast<int>(i);
    return -1;
}

TEST(MainStartUp, LoadsAppliesInStartUpModeAndStartsTheFirstCycleAtOnce)
{
    if (!networkPresent())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    std::vector<std::string> script = pop3Login();
    for (const char* row : {"C: STAT", "S: +OK 0 0", "C: QUIT", "S: +OK bye"})
        script.emplace_back(row);
    ScriptedServer server(script);

    ProgramFolder folder;
    Settings settings = defaultSettings(folder.path(), localNow());
    settings.min = position(SettingsList::Min, "5 min");
    settings.sek = position(SettingsList::Sek, "30 sek");
    settings.skipNetCheck = true;
    settings.normalTrayIcon = 2;
    settings.defaultTrayAction = 2; // "Sprawdź konta pocztowe"
    settings.maxRep = 1;            // at most 10 report lines after the start
    saveSettingsFile(folder.path(), settings);
    saveAccounts(folder.path(), {loopbackAccount(server.port())});
    std::vector<std::string> report;
    for (int i = 0; i < 15; ++i)
        report.push_back("error|B\xB3\xB9\x64 " + std::to_string(i));
    saveReportFile(reportFilePath(folder.path()), report);

    ProgramHarness harness(folder.path());
    ASSERT_TRUE(harness.program->start());
    ui::Tmain& form = harness.form();
    auto* killTimer = &form.session().checkTimer();
    // The first cycle runs already, on what was loaded and applied.
    EXPECT_TRUE(form.session().state().cycleRunning);
    EXPECT_EQ(form.trayIconFile(), ui::scanStartIconPath(folder.path()));
    EXPECT_FALSE(killTimer->isActive());
    EXPECT_EQ(killTimer->interval(), 330000);
    EXPECT_EQ(form.session().data().accounts.size(), 1u);
    ASSERT_EQ(form.session().data().report.size(), 10u);
    EXPECT_EQ(form.session().data().report[0].rfind("run|Uruchomienie aplikacji: ", 0), 0u);
    auto* trayAction = form.findChild<QAction*>(QStringLiteral("pop_trayaction"));
    EXPECT_TRUE(trayAction->isVisible());
    EXPECT_EQ(trayAction->text(), QStringLiteral("Sprawdź konta pocztowe"));
    EXPECT_TRUE(harness.prompter.shown.empty());

    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }));
    EXPECT_TRUE(server.finish().empty()); // the loaded account was checked
    EXPECT_EQ(statusPanel(form, 0), QStringLiteral("Czuwanie..."));
    EXPECT_TRUE(killTimer->isActive());
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 2));
    EXPECT_EQ(loadReportFile(reportFilePath(folder.path())), form.session().data().report);

    // "Ustawienia": the settings window shows while the main window is disabled;
    // its apply enables it again and does not trim the report a second time.
    ui::Toptions* options = harness.program->options();
    ASSERT_NE(options, nullptr);
    form.session().data().report.resize(15, "error|x");
    form.findChild<QAction*>(QStringLiteral("tool_sett"))->trigger();
    EXPECT_TRUE(options->isVisible());
    EXPECT_FALSE(form.isEnabled());
    options->applyClick();
    EXPECT_FALSE(options->isVisible());
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(form.session().data().report.size(), 15u);
    EXPECT_TRUE(killTimer->isActive());
    // With the timer running, apply shows the idle icon at once.
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 2));
}

TEST(MainStartUp, SecondCopyOfTheProgramLoadsNothingAndOpensNoSettingsWindow)
{
    ProgramFolder folder;
    Settings settings = defaultSettings(folder.path(), localNow());
    settings.skipNetCheck = true;
    saveSettingsFile(folder.path(), settings);
    ProgramHarness first(folder.path());
    ASSERT_TRUE(first.program->start());
    ASSERT_TRUE(waitUntil([&first] { return !first.form().session().state().cycleRunning; }));

    ProgramHarness second(folder.path(), {QStringLiteral("--check")});
    EXPECT_FALSE(second.program->start());
    EXPECT_EQ(second.program->options(), nullptr);
    ASSERT_EQ(second.prompter.shown.size(), 1u);
    EXPECT_TRUE(second.prompter.shown[0].text.startsWith(
        QStringLiteral("Nie można uruchomić na raz dwóch kopii tego programu!\r\nJeżeli")));
    EXPECT_FALSE(second.form().session().state().cycleRunning);
    EXPECT_TRUE(second.form().session().data().report.empty());
}

TEST(MainStartUp, DatabaseOfANewerVersionEndsTheProgramWithoutCheckingOrSaving)
{
    ProgramFolder folder;
    RecordTable accounts = accountsToTable({loopbackAccount(110)});
    accounts.version = kRecordFormatVersion + 1;
    const std::string accountFile = recordFilePath(folder.path(), RecordKind::Accounts);
    writeRecordFile(accountFile, accounts);
    const std::string before = readBytes(accountFile);

    ProgramHarness harness(folder.path());
    ASSERT_TRUE(harness.program->start());
    EXPECT_FALSE(harness.form().session().state().cycleRunning);
    EXPECT_EQ(harness.prompter.shown.size(), 1u); // the settings window's box about the file
    // The end comes from the event loop, as "Zakończ" would end it.
    ASSERT_TRUE(waitUntil([&harness] { return harness.form().shutDown(); }, 2000));
    EXPECT_EQ(harness.quitRequests, 1);
    EXPECT_EQ(readBytes(accountFile), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("config/options.ini")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("config/report.dat")));
}

} // namespace
} // namespace kestrin::test
