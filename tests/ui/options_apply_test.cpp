// "&Zastosuj i zamknij": the settings that live in the main window, the
// autostart entry, and what a failing step leaves undone.
#include "options_test_seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSlider>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

void select(QComboBox* box, const char* text)
{
    const int index = box->findText(QString::fromUtf8(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
}

// The host calls of one press of the apply button.
std::vector<std::string> pressApply(OptionsWindowFixture& f)
{
    f.host.calls.clear();
    f.control<QPushButton>("apply")->click();
    return f.host.calls;
}

TEST(OptionsApply, CheckIntervalIsMinutesAndSecondsOfTheTwoLists)
{
    OptionsWindowFixture f;
    f.startWindow();
    const struct {
        const char* min;
        const char* sek;
        std::string call;
    } cases[] = {
        {"1 min", "30 sek", "setCheckInterval 90000"},
        {"300 min", "0 sek", "setCheckInterval 18000000"},
        {"5 min", "30 sek", "setCheckInterval 330000"},
        {"60 min", "60 sek", "setCheckInterval 3660000"},
    };
    for (const auto& c : cases) {
        select(f.control<QComboBox>("min"), c.min);
        select(f.control<QComboBox>("sek"), c.sek);
        const std::vector<std::string> calls = pressApply(f);
        ASSERT_GE(calls.size(), 2u);
        EXPECT_EQ(calls[1], c.call) << c.min << " + " << c.sek;
    }
}

TEST(OptionsApply, TransparencyAndTheTrayMenuItemFollowTheirLists)
{
    OptionsWindowFixture f;
    f.startWindow();
    const struct {
        const char* alpha;
        std::string call;
    } opacities[] = {{"50%", "setTransparency on 127"},
                     {"30%", "setTransparency on 179"},
                     {"90%", "setTransparency on 25"},
                     {"10%", "setTransparency on 229"},
                     {"0% (opcja wyłączona)", "setTransparency off 255"}};
    for (const auto& c : opacities) {
        select(f.control<QComboBox>("alpha"), c.alpha);
        pressApply(f);
        EXPECT_TRUE(f.host.called(c.call)) << c.alpha;
    }

    const struct {
        const char* action;
        std::string call;
    } actions[] = {{"Pokaż okno programu", "setTrayAction Pokaż okno programu 16"},
                   {"Uruchom program pocztowy", "setTrayAction Uruchom program pocztowy 3"},
                   {"Sprawdź konta pocztowe", "setTrayAction Sprawdź konta pocztowe 10"},
                   {"Pokaż zarchiwizowane wiadomości", "setTrayAction Pokaż zarchiwizowane wiadomości 8"}};
    for (const auto& c : actions) {
        select(f.control<QComboBox>("trayaction"), c.action);
        pressApply(f);
        EXPECT_TRUE(f.host.called(c.call)) << c.action;
    }
}

TEST(OptionsApply, TrayIconIsLoadedOnlyWhileTheTimerRunsAndAMissingFileStopsApply)
{
    OptionsWindowFixture f;
    f.writeTrayIcon(3);
    f.startWindow();
    f.control<QSlider>("traynormal")->setValue(3);
    f.prompter.shown.clear();

    pressApply(f);
    EXPECT_FALSE(f.host.called("setTrayIconFile")) << "a cycle runs: the tray shows its progress";

    f.host.timerEnabled = true;
    pressApply(f);
    EXPECT_TRUE(f.host.called("setTrayIconFile " + f.path(QStringLiteral("data/tray3.ico")).toStdString()));
    EXPECT_TRUE(f.host.called("setTransparency"));
    EXPECT_TRUE(f.prompter.shown.empty());

    // tray4.ico is missing: the box names the file, and transparency and
    // autostart wait for the next apply.
    f.control<QSlider>("traynormal")->setValue(4);
    f.prompter.shown.clear();
    f.control<QCheckBox>("runatstartup")->setChecked(true);
    const std::vector<std::string> calls = pressApply(f);
    EXPECT_FALSE(f.host.called("setTrayIconFile"));
    EXPECT_FALSE(f.host.called("setTransparency"));
    EXPECT_FALSE(QFile::exists(f.autostart.entryPath()));
    ASSERT_EQ(f.prompter.shown.size(), 1u);
    EXPECT_EQ(f.prompter.shown[0].icon, ui::PromptIcon::Error);
    EXPECT_EQ(f.prompter.shown[0].caption, QStringLiteral("Kestrin sweeper"));
    EXPECT_TRUE(f.prompter.shown[0].text.contains(QStringLiteral("tray4.ico")));
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.host.mainEnabled);
}

TEST(OptionsApply, AutostartEntryFollowsTheCheckBoxAndItsFailureStopsTheStartUpSteps)
{
    {
        OptionsWindowFixture f;
        f.startWindow();
        f.control<QCheckBox>("runatstartup")->setChecked(true);
        pressApply(f);
        QFile entry(f.autostart.entryPath());
        ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("Name=Kestrin sweeper\n")));
        EXPECT_TRUE(text.contains(QStringLiteral("Exec=\"/opt/kestrin/bin/kestrin\" \"--home\" \"/home/ala/poczta\"")));
        entry.close();

        f.control<QCheckBox>("runatstartup")->setChecked(false);
        pressApply(f);
        EXPECT_FALSE(QFile::exists(f.autostart.entryPath()));
        EXPECT_TRUE(f.prompter.shown.empty());
    }
    {
        // A file where the autostart folder should be: the entry cannot be written.
        OptionsWindowFixture f;
        QFile blocker(f.configHome.path() + QStringLiteral("/autostart"));
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        f.writeOptions({"RunAtStartup=1", "MaxRep=1"});
        f.writeReport(40);
        f.makeWindow().formCreate();

        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_TRUE(f.prompter.shown[0].text.contains(QStringLiteral("autostart")));
        EXPECT_FALSE(f.host.called("reportReplaced"));
        EXPECT_EQ(f.data.report.size(), 41u) << "the steps after the failing one did not run";
        EXPECT_EQ(f.host.calls.back(), "startFirstCycle") << "start-up itself goes on";
    }
}

TEST(OptionsApply, LaterAppliesLeaveReportArchiveAndFriendsAlone)
{
    OptionsWindowFixture f;
    f.writeOptions({"WABSynch=1", "ClearArchOnStart=1", "ClearRepOnStart=1"});
    const QString options = f.path(QStringLiteral("config/options.ini"));
    const qint64 optionsSize = QFile(options).size();
    f.startWindow();
    EXPECT_TRUE(f.data.report.empty()) << "emptied at start";

    f.data.report.assign(300, "error|x");
    f.writeFile(QStringLiteral("archive/message - 0.txt"), "x");
    f.window->showSettings();
    const std::vector<std::string> calls = pressApply(f);

    EXPECT_EQ(f.data.report.size(), 300u);
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("archive/message - 0.txt"))));
    EXPECT_FALSE(f.host.called("importFriendsSilently"));
    EXPECT_FALSE(f.host.called("reportReplaced"));
    EXPECT_FALSE(f.host.called("statisticsViewChanged"));
    EXPECT_FALSE(f.host.called("startFirstCycle"));
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.host.mainEnabled);
    f.control<QComboBox>("min")->setCurrentIndex(0);
    pressApply(f);
    EXPECT_EQ(QFile(options).size(), optionsSize) << "apply never writes the settings file";
}

} // namespace
} // namespace kestrin::test
