#include "storage/atomic_file.h"
#include "storage/config_messages.h"
#include "storage/program_data.h"
#include "storage/record_database.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

const TDateTime kNow = encodeDateTime({2026, 12, 8, 16, 30, 0, 0});

class ProgramDataTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-data-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home / "config");
    }
    void TearDown() override { fs::remove_all(home); }

    std::string folder() const { return home.string(); }
    std::string file(const char* relative) const { return (home / relative).string(); }

    // A folder as the program leaves it: one record of each kind, a report and totals.
    void writeTypicalFolder() const
    {
        AccountRecord account;
        account.name = "Praca";
        account.pop3 = "127.0.0.1";
        saveAccounts(folder(), {account});
        RuleRecord rule;
        rule.name = "spam";
        rule.str = "viagra";
        saveRules(folder(), {rule});
        saveFriends(folder(), {{"Anna", "anna@example.pl"}});
        saveBayesWords(folder(), {{"kredyt", 1, 3, "2026-12-01 10:00:00"}});
        saveReportFile(reportFilePath(folder()), {"error|x", "mail|y"});
        writeFileAtomically(file("config/options.ini"),
                            "; kept\r\n[Options]\r\nMaxRep=3\r\nUnknown=1\r\n[Stats]\r\nCheckMsg=41\r\n");
    }

    std::string contents(const char* relative) const { return readWholeFile(file(relative)); }

    fs::path home;
};

TEST_F(ProgramDataTest, AnEmptyFolderLoadsDefaultsAndSavesEveryFile)
{
    ProgramData data;
    const LoadResult loaded = loadAll(folder(), data, kNow);
    EXPECT_EQ(loaded.failure, LoadFailure::None);
    EXPECT_TRUE(data.accounts.empty());
    EXPECT_EQ(data.settings.maxRep, 10);
    ASSERT_EQ(data.report.size(), 1u);
    EXPECT_EQ(data.report[0], winLiteral("run|Uruchomienie aplikacji: 2026-12-08 / 16:30:00"));

    EXPECT_TRUE(saveAll(folder(), data).ok);
    for (const char* name : {"config/options.ini", "config/acc_database2.dat", "config/regs_database2.dat",
                             "config/fri_database2.dat", "config/bay_database2.dat", "config/report.dat"})
        EXPECT_TRUE(fs::exists(file(name))) << name;

    ProgramData again;
    EXPECT_EQ(loadAll(folder(), again, kNow).failure, LoadFailure::None);
    EXPECT_EQ(again.report.size(), 2u); // the saved run entry and a new one
}

TEST_F(ProgramDataTest, TotalsTravelThroughTheSettingsFileAndUnknownKeysStay)
{
    writeTypicalFolder();
    ProgramData data;
    ASSERT_EQ(loadAll(folder(), data, kNow).failure, LoadFailure::None);
    EXPECT_EQ(data.counters.totals.checkMsg, 41u);
    EXPECT_EQ(data.settings.maxRep, 3);
    ASSERT_EQ(data.accounts.size(), 1u);
    EXPECT_EQ(data.accounts[0].name, "Praca");
    EXPECT_EQ(data.rules.size(), 1u);
    EXPECT_EQ(data.friends.size(), 1u);
    EXPECT_EQ(data.bayesWords.size(), 1u);
    EXPECT_EQ(data.report.size(), 3u);

    data.counters.totals.checkMsg = 42;
    ASSERT_TRUE(saveAll(folder(), data).ok);
    const std::string ini = contents("config/options.ini");
    EXPECT_NE(ini.find("CheckMsg=42\r\n"), std::string::npos);
    EXPECT_NE(ini.find("Unknown=1\r\n"), std::string::npos);
    EXPECT_EQ(ini.rfind("; kept\r\n", 0), 0u);
}

TEST_F(ProgramDataTest, AFileRefusedForItsVersionSwitchesSavingOff)
{
    writeTypicalFolder();
    RecordTable future;
    future.version = 204;
    future.columns = {"name", "mail"};
    writeRecordFile(file("config/regs_database2.dat"), future);
    const std::string before = contents("config/acc_database2.dat");

    ProgramData data;
    const LoadResult loaded = loadAll(folder(), data, kNow);
    EXPECT_EQ(loaded.failure, LoadFailure::VersionRefused);
    EXPECT_EQ(loaded.message, winLiteral("Nieprawidłowa wersja pliku konfiguracji!"));
    EXPECT_FALSE(data.saveAllEnabled);
    EXPECT_TRUE(data.rules.empty());
    EXPECT_EQ(data.friends.size(), 1u); // the files after the refused one still load

    data.accounts.clear();
    EXPECT_TRUE(saveAll(folder(), data).ok);
    EXPECT_EQ(contents("config/acc_database2.dat"), before); // nothing was overwritten
}

TEST_F(ProgramDataTest, AConversionErrorEndsTheSequenceAndProtectsTheUnreadFiles)
{
    writeTypicalFolder();
    RecordTable rules;
    rules.columns = {"name", "typ"};
    rules.rows = {{"ok", "1"}, {"bad", "abc"}};
    writeRecordFile(file("config/regs_database2.dat"), rules);
    const std::string rulesBefore = contents("config/regs_database2.dat");
    const std::string friendsBefore = contents("config/fri_database2.dat");
    const std::string reportBefore = contents("config/report.dat");

    ProgramData data;
    const LoadResult loaded = loadAll(folder(), data, kNow);
    EXPECT_EQ(loaded.failure, LoadFailure::OpenError);
    EXPECT_EQ(loaded.message, configOpenErrorText());
    EXPECT_NE(loaded.detail.find("abc"), std::string::npos);
    EXPECT_EQ(data.accounts.size(), 1u); // what was loaded before the failure stays
    EXPECT_TRUE(data.friends.empty());
    EXPECT_TRUE(data.report.empty());

    data.accounts[0].name = "Dom";
    EXPECT_TRUE(saveAll(folder(), data).ok);
    EXPECT_EQ(loadAccounts(folder())[0].name, "Dom");
    EXPECT_EQ(contents("config/regs_database2.dat"), rulesBefore);
    EXPECT_EQ(contents("config/fri_database2.dat"), friendsBefore);
    EXPECT_EQ(contents("config/report.dat"), reportBefore);
}

TEST_F(ProgramDataTest, ASaveThatFailsReportsTheErrorAndStillSavesTheRest)
{
    ProgramData data;
    ASSERT_EQ(loadAll(folder(), data, kNow).failure, LoadFailure::None);
    data.friends = {{"Ola", "ola@example.pl"}};
    fs::create_directories(home / "config" / "acc_database2.dat"); // a folder where the file must go
    const SaveResult saved = saveAll(folder(), data);
    EXPECT_FALSE(saved.ok);
    EXPECT_EQ(saved.message, configSaveErrorText());
    EXPECT_EQ(loadFriends(folder()).size(), 1u);
}

} // namespace
} // namespace kestrin
