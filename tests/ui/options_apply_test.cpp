// "&Zastosuj i zamknij": the settings window hands its settings to the
// session, which sets the check interval and the autostart entry; the start-up
// steps run only at start.
#include "options_test_seams.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

void select(QComboBox* box, const char* text)
{
    const int index = box->findText(QString::fromUtf8(text));
    ASSERT_GE(index, 0) << text;
    box->setCurrentIndex(index);
}

void pressApply(OptionsWindowFixture& f)
{
    f.control<QPushButton>("apply")->click();
}

TEST(OptionsApply, CheckIntervalIsMinutesAndSecondsOfTheTwoLists)
{
    OptionsWindowFixture f;
    f.startWindow();
    const struct {
        const char* min;
        const char* sek;
        int milliseconds;
    } cases[] = {{"1 min", "30 sek", 90000},
                 {"300 min", "0 sek", 18000000},
                 {"5 min", "30 sek", 330000},
                 {"60 min", "60 sek", 3660000}};
    for (const auto& c : cases) {
        select(f.control<QComboBox>("min"), c.min);
        select(f.control<QComboBox>("sek"), c.sek);
        pressApply(f);
        EXPECT_EQ(f.session->checkTimer().interval(), c.milliseconds) << c.min << " + " << c.sek;
        EXPECT_FALSE(f.window->isVisible());
        EXPECT_TRUE(f.host.mainEnabled);
    }
}

TEST(OptionsApply, AutostartEntryFollowsTheCheckBoxAndItsFailureDoesNotStopTheStart)
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
        f.makeWindow();
        const session::StartUpResult started = f.startUp();
        EXPECT_NE(started.applyError.find("autostart"), std::string::npos) << started.applyError;
        EXPECT_EQ(started.outcome, session::StartUpOutcome::Running);
        EXPECT_EQ(f.data().report.size(), 10u) << "the start-up steps ran all the same";
        EXPECT_TRUE(f.session->checkTimerActive());

        // Pressed later, the failure is the settings window's box.
        pressApply(f);
        ASSERT_EQ(f.prompter.shown.size(), 1u);
        EXPECT_EQ(f.prompter.shown[0].icon, ui::PromptIcon::Error);
        EXPECT_TRUE(f.prompter.shown[0].text.contains(QStringLiteral("autostart")));
    }
}

TEST(OptionsApply, LaterAppliesLeaveReportArchiveAndFriendsAlone)
{
    OptionsWindowFixture f;
    f.writeOptions({"WABSynch=1", "ClearArchOnStart=1", "ClearRepOnStart=1"});
    const QString options = f.path(QStringLiteral("config/options.ini"));
    const qint64 optionsSize = QFile(options).size();
    f.startWindow();
    EXPECT_TRUE(f.data().report.empty()) << "emptied at start";

    f.data().report.assign(300, "error|x");
    f.writeFile(QStringLiteral("archive/message - 0.txt"), "x");
    int imports = 0;
    int startUps = 0;
    QObject::connect(f.session.get(), &session::ProgramSession::addressBookImportRequested, [&] { ++imports; });
    QObject::connect(f.session.get(), &session::ProgramSession::startUpApplied, [&] { ++startUps; });
    f.window->showSettings();
    pressApply(f);

    EXPECT_EQ(f.data().report.size(), 300u);
    EXPECT_TRUE(QFile::exists(f.path(QStringLiteral("archive/message - 0.txt"))));
    EXPECT_EQ(imports, 0);
    EXPECT_EQ(startUps, 0);
    EXPECT_FALSE(f.session->state().cycleRunning);
    EXPECT_FALSE(f.window->isVisible());
    EXPECT_TRUE(f.host.mainEnabled);
    f.control<QComboBox>("min")->setCurrentIndex(0);
    pressApply(f);
    EXPECT_EQ(QFile(options).size(), optionsSize) << "apply never writes the settings file";
}

} // namespace
} // namespace kestrin::test
