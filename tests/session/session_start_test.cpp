// The session's start-up sequence and its shutdown, without any window.
#include "session/session_fixture.h"

#include "storage/record_database.h"
#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

std::string reportLines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "error|entry " + std::to_string(i) + "\r\n";
    return text;
}

TEST(SessionStartUp, StepsRunInOrderAndTheFirstCycleStarts)
{
    SessionFixture f;
    f.writeOptions({"Min=0", "Sek=3", "WABSynch=1", "ClearArchOnStart=1", "MaxRep=1"});
    f.writeFile("config/report.dat", reportLines(30));
    for (const char* name : {"archive/message - 0.txt", "archive/message - 1.TXT", "archive/.hidden.txt",
                             "archive/keep.eml", "archive/folder.txt/inner.txt"})
        f.writeFile(name, "x");
    session::ProgramSession& s = f.makeSession();

    const session::StartUpResult started = s.startUp();
    EXPECT_EQ(started.outcome, session::StartUpOutcome::Running);
    EXPECT_TRUE(started.message.empty());
    const std::vector<std::string> expected = {
        "settingsLoaded",  "settingsApplied", "reportChanged",  "addressBookImportRequested",
        "recordsChanged",  "recordsChanged",  "recordsChanged", "recordsChanged",
        "countersChanged", "startUpApplied",  "cycleStarted"};
    EXPECT_EQ(f.emitted, expected);
    // 30 stored lines plus the "run" entry of this start, cut to MaxRep x 10.
    EXPECT_EQ(s.data().report.size(), 10u);
    for (const char* gone : {"archive/message - 0.txt", "archive/message - 1.TXT", "archive/.hidden.txt"})
        EXPECT_FALSE(fs::exists(f.file(gone))) << gone;
    EXPECT_TRUE(fs::exists(f.file("archive/keep.eml")));
    EXPECT_TRUE(fs::exists(f.file("archive/folder.txt/inner.txt")));
    EXPECT_EQ(s.checkTimer().interval(), 90000);
    EXPECT_TRUE(s.state().cycleRunning);
    ASSERT_TRUE(waitUntil([&s] { return !s.state().cycleRunning; }));
    EXPECT_TRUE(s.checkTimerActive()) << "the next cycle one interval after this one";
    EXPECT_EQ(f.emitted.back(), "cycleEnded");
}

TEST(SessionStartUp, WithoutStoredFilesTheDefaultsApplyAndTheOptionalStepsStayOut)
{
    SessionFixture f;
    f.writeFile("archive/message - 0.txt", "x");
    session::ProgramSession& s = f.makeSession(false);
    EXPECT_EQ(s.startUp().outcome, session::StartUpOutcome::Running);
    EXPECT_EQ(s.checkTimer().interval(), 300000);
    EXPECT_EQ(std::count(f.emitted.begin(), f.emitted.end(), "addressBookImportRequested"), 0);
    EXPECT_TRUE(fs::exists(f.file("archive/message - 0.txt")));
    EXPECT_EQ(s.data().report.size(), 1u) << "only the run entry of this start";
    EXPECT_TRUE(s.checkTimerActive()) << "held first cycle: the timer runs instead";
}

// Files that cannot be read leave the program up but checking no mail, and
// none of them, nor any file after them, is written over.
TEST(SessionStartUp, UnreadableFilesHoldTheCyclesAndTheirSaving)
{
    SessionFixture f;
    f.writeOptions({"Min=9"});
    RecordTable rules;
    rules.columns = {"name", "typ"};
    rules.rows = {{"bad", "abc"}};
    writeRecordFile(recordFilePath(f.folder.path(), RecordKind::Rules), rules);
    const std::string rulesBefore = f.readFile("config/regs_database2.dat");
    f.writeFile("config/report.dat", reportLines(3));
    session::ProgramSession& s = f.makeSession();
    std::string status;
    QObject::connect(&s, &session::ProgramSession::cycleStatusChanged,
                     [&status](const std::string& text) { status = text; });

    const session::StartUpResult started = s.startUp();
    EXPECT_EQ(started.outcome, session::StartUpOutcome::CyclesHeld);
    for (const char* part : {"Wystąpił błąd podczas otwierania pliku konfiguracji!", "config/regs_database2.dat",
                             "config/fri_database2.dat", "config/report.dat"})
        EXPECT_NE(cp1250ToUtf8(started.message).find(part), std::string::npos) << part;
    EXPECT_EQ(cp1250ToUtf8(status), "Sprawdzanie poczty wstrzymane: nie wczytano plików konfiguracji!");
    EXPECT_EQ(s.data().settings.min, 9) << "what was loaded stays";
    EXPECT_FALSE(s.state().cycleRunning);
    s.checkNow();
    s.kill_timerTimer();
    EXPECT_FALSE(s.state().cycleRunning) << "no cycle on half-loaded data";
    EXPECT_FALSE(s.checkTimerActive());

    s.data().report.push_back("error|new in this run");
    EXPECT_TRUE(s.shutDown().ok);
    EXPECT_EQ(f.readFile("config/regs_database2.dat"), rulesBefore);
    EXPECT_EQ(f.readFile("config/report.dat"), reportLines(3));
}

TEST(SessionStartUp, AFileOfANewerVersionEndsTheProgramWithoutACycleOrASave)
{
    SessionFixture f;
    RecordTable friends;
    friends.version = 204;
    friends.columns = {"name", "mail"};
    writeRecordFile(recordFilePath(f.folder.path(), RecordKind::Friends), friends);
    session::ProgramSession& s = f.makeSession();

    const session::StartUpResult started = s.startUp();
    EXPECT_EQ(started.outcome, session::StartUpOutcome::VersionRefused);
    EXPECT_EQ(cp1250ToUtf8(started.message), "Nieprawidłowa wersja pliku konfiguracji!");
    EXPECT_FALSE(s.state().cycleRunning);
    s.shutDown();
    EXPECT_FALSE(fs::exists(f.file("config/options.ini"))) << "saving is off";
}

} // namespace
} // namespace kestrin::test
