// The check cycle as a whole: its status texts and progress, the network wait,
// unreachable accounts and their skip counters, and cancellation.
#include "peers/loopback_port.h"
#include "protocol/sweeper_test_support.h"

#include <chrono>
#include <thread>

namespace kestrin::test {
namespace {

using SweeperCycle = CycleFixture;

TEST_F(SweeperCycle, WithoutAccountsOrClassifiersNoServerIsContacted)
{
    EXPECT_EQ(runCycle(), CycleOutcome::Completed);
    EXPECT_EQ(host.events, (Lines{"progress 0", "progress 50", "status Weryfikacja kont pocztowych...",
                                  "status Nie skonfigurowano żadnych kont pocztowych!", "progress 100"}));
    EXPECT_TRUE(host.ended);

    // An account whose port nobody listens on is not tried without rules or an active Bayes filter.
    AccountRecord record;
    record.name = "Konto";
    record.pop3 = "127.0.0.1";
    record.dopo = std::to_string(freeLoopbackPort());
    data.accounts.push_back(record);
    data.settings.bayesActive = false;
    runCycle();
    EXPECT_EQ(host.events, (Lines{"progress 0", "progress 25", "status Weryfikacja kont pocztowych...",
                                  "status Nie wprowadzono żadnych reguł wiadomości ani nie aktywowano filtru Bayesa!",
                                  "progress 50"}));
    EXPECT_TRUE(data.report.empty());
}

TEST_F(SweeperCycle, WithoutNetworkItPollsOnceASecondAndGivesUp)
{
    data.settings.skipNetCheck = false;
    data.settings.netWait = 0; // "1 min"
    internet.answer = false;
    runCycle();
    EXPECT_EQ(internet.polls, 60);
    EXPECT_EQ(sleeps, std::vector<int64_t>(59, 1000));
    ASSERT_EQ(host.events.size(), 63u);
    EXPECT_EQ(host.events[1], "status Próba nawiązania połączenia z siecią internet...");
    EXPECT_EQ(host.events[60], "status Próba nawiązania połączenia z siecią internet...");
    EXPECT_EQ(host.events[61], "result e Nie można nawiązać połączenia z siecią internet!");
    EXPECT_EQ(host.events[62], "status Nie można nawiązać połączenia z siecią internet!");
    EXPECT_TRUE(host.ended);
    EXPECT_EQ(data.counters.run.errors, 1u);
    EXPECT_EQ(data.report, Lines{winLiteral("error|Nie można nawiązać połączenia z siecią internet!")});

    // The network comes back on the third poll: the cycle goes on.
    internet.polls = 0;
    sleeps.clear();
    int answers = 0;
    struct ThirdTime : InternetCheck {
        int& answers;
        explicit ThirdTime(int& a) : answers(a) {}
        bool connected() override { return ++answers >= 3; }
    } third(answers);
    TSweeper sweeper(takeCycleSnapshot(data),
                     SweeperContext{folder.path(), channels, third, checked, marked, cancel,
                                    [this](int64_t ms) { sleeps.push_back(ms); }},
                     host);
    host.events.clear();
    sweeper.run();
    EXPECT_EQ(sleeps, (std::vector<int64_t>{1000, 1000}));
    EXPECT_EQ(host.statuses().back(), "Nie skonfigurowano żadnych kont pocztowych!");
}

TEST_F(SweeperCycle, UnreachableAccountsAreTriedThreeTimesThenSkipped)
{
    data.settings.accSkip = 0; // "2 cykle"
    data.settings.accWait = 5; // "5 sek", never used after a failure
    for (const char* name : {"Pierwsze", "Drugie"}) {
        AccountRecord record;
        record.name = name;
        record.pop3 = "127.0.0.1";
        record.dopo = std::to_string(freeLoopbackPort());
        data.accounts.push_back(record);
    }
    runCycle();
    const Lines statuses = host.statuses();
    EXPECT_EQ(
        statuses,
        (Lines{"Weryfikacja kont pocztowych...", "Łączenie z Pierwsze (127.0.0.1), próba 1 z 3...",
               "Łączenie z Pierwsze (127.0.0.1), próba 2 z 3...", "Łączenie z Pierwsze (127.0.0.1), próba 3 z 3...",
               "Nie można nawiązać połączenia z Pierwsze (127.0.0.1)!", "Łączenie z Drugie (127.0.0.1), próba 1 z 3...",
               "Łączenie z Drugie (127.0.0.1), próba 2 z 3...", "Łączenie z Drugie (127.0.0.1), próba 3 z 3...",
               "Nie można nawiązać połączenia z Drugie (127.0.0.1)!", "Czuwanie..."}));
    EXPECT_EQ(host.events.back(), "progress 33");
    EXPECT_TRUE(sleeps.empty());
    ASSERT_EQ(data.report.size(), 2u);
    const std::string prefix = winLiteral("error|Nie można nawiązać połączenia z Pierwsze (127.0.0.1)") + "|\xA6|";
    EXPECT_EQ(data.report[1].rfind(prefix, 0), 0u) << cp1250ToUtf8(data.report[1]);
    EXPECT_GT(data.report[1].size(), prefix.size()); // the transport's reason follows
    EXPECT_EQ(data.counters.run.errors, 2u);
    EXPECT_EQ(data.accounts[0].skip, 2);

    // Skipped silently for two cycles, then tried again.
    runCycle();
    EXPECT_EQ(host.statuses(), (Lines{"Weryfikacja kont pocztowych...", "Czuwanie..."}));
    EXPECT_EQ(data.accounts[0].skip, 1);
    runCycle();
    EXPECT_EQ(data.accounts[0].skip, 0);
    EXPECT_EQ(data.report.size(), 2u);
    runCycle();
    EXPECT_EQ(data.report.size(), 4u);
    EXPECT_EQ(data.accounts[1].skip, 2);
}

TEST_F(SweeperCycle, InvalidAccountDataIsReportedAndTheNextAccountChecked)
{
    ScriptedServer server(joined({pop3Login(), {"C: STAT", "S: +OK 0 0", "C: QUIT", "S: +OK"}}));
    AccountRecord bad = account(server, "Zepsute");
    bad.dopo = "11o";
    AccountRecord badSize = account(server, "Rozmiar");
    badSize.size = "duzo";
    data.accounts = {bad, badSize, account(server)};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_EQ(data.report, (Lines{winLiteral("error|Dane konfiguracji konta Rozmiar są nieprawidłowe!"),
                                  winLiteral("error|Dane konfiguracji konta Zepsute są nieprawidłowe!")}));
    EXPECT_EQ(host.statuses().at(1), "Dane konfiguracji konta Zepsute są nieprawidłowe!");
    EXPECT_EQ(host.events.back(), "progress 50"); // 4 of 8: only the reached account advanced
}

TEST_F(SweeperCycle, CancelWakesABlockedReadAndSendsNoQuit)
{
    ScriptedServer server(
        joined({pop3Login(), {"C: STAT", "S: +OK 1 100", "C: LIST 1", "S: +OK 1 100", "C: RETR 1", "WAIT 3000"}}));
    data.accounts = {account(server)};
    std::thread stopper([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        cancel.cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runCycle(), CycleOutcome::Cancelled);
    const auto took = std::chrono::steady_clock::now() - start;
    stopper.join();
    EXPECT_LT(took, std::chrono::milliseconds(2000));
    server.finish();
    for (const auto& line : server.received())
        EXPECT_NE(line, "QUIT");
    EXPECT_FALSE(host.ended);
    EXPECT_TRUE(data.report.empty());
    EXPECT_EQ(host.statuses().back(), "Sprawdzanie wiadomości na Konto (127.0.0.1)...");

    // A cancelled token stops the next cycle before its first step.
    EXPECT_EQ(runCycle(), CycleOutcome::Cancelled);
    EXPECT_TRUE(host.events.empty());
}

} // namespace
} // namespace kestrin::test
