// Check cycles as the session schedules them: one at a time, the next one an
// interval after the last ended, a shutdown that never waits on a stalled
// server, and a rule saved while a cycle runs.
#include "session/session_fixture.h"

#include "peers/scripted_server.h"
#include "storage/report_file.h"
#include "support/rule_records.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

namespace kestrin::test {
namespace {

using Lines = std::vector<std::string>;

AccountRecord loopbackAccount(uint16_t port)
{
    AccountRecord account;
    account.name = "Konto";
    account.pop3 = "127.0.0.1";
    account.dopo = std::to_string(port);
    account.user = "jan";
    account.pass = "tajne";
    return account;
}

Lines login()
{
    return {"S: +OK ready", "C: CAPA", "S: -ERR", "C: USER jan", "S: +OK", "C: PASS tajne", "S: +OK"};
}

Lines fetch(int number, const std::string& subject)
{
    const std::string n = std::to_string(number);
    return {"C: LIST " + n,
            "S: +OK " + n + " 200",
            "C: RETR " + n,
            "S: +OK",
            "S: Message-ID: <" + n + "@x>",
            "S: From: Ala <ala@example.com>",
            "S: Subject: " + subject,
            "S: ",
            "S: tresc",
            "S: ."};
}

Lines joined(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// A session with one loopback account and one rule, started with its first cycle held.
session::ProgramSession& readySession(SessionFixture& f, uint16_t port)
{
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    s.data().settings.skipNetCheck = true;
    s.data().accounts = {loopbackAccount(port)};
    s.data().rules = {ruleRecord("Nic", 3, 0, "nigdy-w-temacie", {false, false, false, false})};
    return s;
}

TEST(SessionCycle, OneCycleAtATimeAndTheNextOneAnIntervalAfterTheLastEnded)
{
    SessionFixture f;
    ScriptedServer server(joined({login(), {"C: STAT", "S: +OK 1 200"}, fetch(1, "Raz"), {"C: QUIT", "S: +OK"}}));
    session::ProgramSession& s = readySession(f, server.port());
    s.checkTimer().setInterval(60000);

    s.checkNow();
    EXPECT_TRUE(s.state().cycleRunning);
    EXPECT_FALSE(s.checkTimerActive());
    s.checkNow(); // dropped, not queued
    s.kill_timerTimer();
    ASSERT_TRUE(waitUntil([&s] { return !s.state().cycleRunning; }));
    EXPECT_EQ(std::count(f.emitted.begin(), f.emitted.end(), "cycleStarted"), 1);
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_TRUE(s.checkTimerActive());
    EXPECT_GT(s.checkTimer().remainingTime(), 59000);
    // The report is written at the end of every cycle.
    EXPECT_EQ(loadReportFile(reportFilePath(f.folder.path())), s.data().report);
    EXPECT_EQ(s.data().counters.run.checked, 1u);
}

TEST(SessionCycle, ShutdownDuringAStalledCycleDoesNotWaitForTheServer)
{
    SessionFixture f;
    // The server greets and then says nothing for far longer than the wait.
    ScriptedServer server({"S: +OK ready", "WAIT 4000"});
    session::ProgramSession& s = readySession(f, server.port());
    s.data().settings.mailWait = 15; // "60 sek"
    s.checkNow();
    ASSERT_TRUE(waitUntil([&s] { return s.state().cycleRunning; }));
    QCoreApplication::processEvents();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(s.shutDown().ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_FALSE(s.state().cycleRunning);
    EXPECT_TRUE(s.isShutDown());
    s.checkNow();
    EXPECT_FALSE(s.state().cycleRunning) << "no cycle after the shutdown";
    server.finish();
}

// A rule saved while a cycle runs empties the checked-message memory; what
// the cycle still judges with the old rules after that must not be remembered,
// or the new rule would never see those messages.
TEST(SessionCycle, RuleSavedDuringACycleWinsOverWhatTheCycleStillRemembers)
{
    SessionFixture f;
    ScriptedServer server(joined({login(),
                                  {"C: STAT", "S: +OK 2 400"},
                                  fetch(1, "Pierwsza"),
                                  {"WAIT 800"},
                                  fetch(2, "Druga"),
                                  {"C: QUIT", "S: +OK"}}));
    session::ProgramSession& s = readySession(f, server.port());
    s.checkNow();
    ASSERT_TRUE(waitUntil([&s] {
        const std::vector<std::string> remembered = s.checkedMemory().slotContents();
        return std::any_of(remembered.begin(), remembered.end(), [](const std::string& slot) { return !slot.empty(); });
    }));
    EXPECT_TRUE(s.storeRule(-1, ruleRecord("Nowa", 3, 0, "druga", {false, false, false, true})).done);
    ASSERT_TRUE(waitUntil([&s] { return !s.state().cycleRunning; }));
    EXPECT_EQ(server.finish(), Lines{});
    const std::vector<std::string> remembered = s.checkedMemory().slotContents();
    EXPECT_TRUE(std::all_of(remembered.begin(), remembered.end(), [](const std::string& slot) { return slot.empty(); }))
        << "the next cycle judges both messages with the new rule";
}

} // namespace
} // namespace kestrin::test
