// The program started on the largest data set the program allows: 100
// accounts (here on a loopback port that refuses, so each is tried three
// times and reported), 1000 rules, 1000 friends, full Bayes word tables and a full
// report. The first cycle must reach every account and the idle state
// (bench/startup_bench.sh times the same start).
#include "main_test_support.h"

#include "engine/bayes_filter.h"
#include "peers/loopback_port.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

void writeLargestDataSet(const std::string& folder, uint16_t refusingPort)
{
    Settings settings = defaultSettings(folder, localNow());
    settings.skipNetCheck = true;
    settings.maxRep = 25;
    saveSettingsFile(folder, settings);
    std::vector<AccountRecord> accounts;
    for (int i = 0; i < 100; ++i) {
        AccountRecord account = loopbackAccount(refusingPort);
        account.name = "Konto " + std::to_string(i);
        accounts.push_back(account);
    }
    saveAccounts(folder, accounts);
    std::vector<RuleRecord> rules(1000);
    for (size_t i = 0; i < rules.size(); ++i) {
        rules[i].name = "Regu\xB3\x61 " + std::to_string(i);
        rules[i].typ = static_cast<uint8_t>(i % 5);
        rules[i].sub = 0;
        rules[i].str = "tekst" + std::to_string(i);
    }
    saveRules(folder, rules);
    std::vector<FriendRecord> friends(1000);
    for (size_t i = 0; i < friends.size(); ++i)
        friends[i] = {"Przyjaciel " + std::to_string(i), "osoba" + std::to_string(i) + "@example.org"};
    saveFriends(folder, friends);
    std::vector<BayesWordRecord> words(2 * kBayesMaxTableWords);
    for (size_t i = 0; i < words.size(); ++i) {
        std::string name = "slowo" + std::to_string(i);
        name.resize(kBayesMaxWordLength, 'x');
        words[i] = {name, static_cast<int32_t>(i % 2), static_cast<uint32_t>(i % 500), "2025-01-13 08:00:00"};
    }
    saveBayesWords(folder, words);
    std::vector<std::string> report;
    for (int i = 0; i < 250; ++i)
        report.push_back("error|Nie mo\xBF na nawi\xB9za\xE6 po\xB3\xB9\x63zenia " + std::to_string(i));
    saveReportFile(reportFilePath(folder), report);
}

TEST(MainCapacity, LargestDataSetLoadsAndTheFirstCycleReachesEveryAccount)
{
    if (!networkPresent())
        GTEST_SKIP() << "no network interface: the cycle would not contact the accounts";
    ProgramFolder folder;
    writeLargestDataSet(folder.path(), freeLoopbackPort());

    ProgramHarness harness(folder.path());
    ASSERT_TRUE(harness.program->start());
    ui::Tmain& form = harness.form();
    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }, 60000));

    EXPECT_EQ(form.session().data().accounts.size(), 100u);
    EXPECT_EQ(form.session().data().rules.size(), 1000u);
    EXPECT_EQ(form.session().data().friends.size(), 1000u);
    EXPECT_EQ(form.session().data().bayesWords.size(), 2 * kBayesMaxTableWords);
    EXPECT_TRUE(harness.prompter.shown.empty());
    // 250 kept at start, then one error entry per unreachable account.
    EXPECT_EQ(form.session().data().report.size(), 250u + 100u);
    EXPECT_EQ(form.session().data().counters.run.errors, 100u);
    for (const AccountRecord& account : form.session().data().accounts)
        EXPECT_EQ(account.skip, 10) << account.name; // skipped in the next 10 cycles
    EXPECT_EQ(statusPanel(form, 0), QStringLiteral("Czuwanie..."));
    EXPECT_TRUE(form.session().checkTimerActive());
}

} // namespace
} // namespace kestrin::test
