#include "cli_run.h"
#include "storage/record_database.h"
#include "storage/record_tables.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class RecordsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-records-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
    }
    void TearDown() override { fs::remove_all(home); }
    fs::path home;
};

TEST_F(RecordsCliTest, PrintsTheLoadedRecordsTypedAndHidesPasswords)
{
    AccountRecord account;
    account.name = "Poczta \xA3\xF3\x64\x9F"; // "Poczta Łódź" in Windows-1250
    account.pass = "tajne";
    account.nrep = true;
    saveAccounts(home.string(), {account});
    RuleRecord rule;
    rule.stat = 4000000000u;
    rule.typ = 3;
    rule.act = {false, true, false, true};
    saveRules(home.string(), {rule});
    // A hand-made Bayes file with its columns in another order and an unknown one.
    RecordTable bayes;
    bayes.columns = {"lastuse", "extra", "stat", "list", "name"};
    bayes.rows = {{"2026-12-01 10:00:00", "x", "7", "1", "kredyt"}};
    writeRecordFile((home / "config" / "bay_database2.dat").string(), bayes);

    const CliResult r = runCli({"records", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto json = nlohmann::json::parse(r.out);
    ASSERT_EQ(json["accounts"].size(), 1u);
    EXPECT_EQ(json["accounts"][0]["name"], "Poczta Łódź");
    EXPECT_EQ(json["accounts"][0]["pass"], "***");
    EXPECT_EQ(json["accounts"][0]["dopo"], "110");
    EXPECT_EQ(json["accounts"][0]["nrep"], true);
    EXPECT_EQ(json["rules"][0]["stat"], 4000000000u);
    EXPECT_EQ(json["rules"][0]["typ"], 3);
    EXPECT_EQ(json["rules"][0]["act0"], false);
    EXPECT_EQ(json["rules"][0]["act3"], true);
    EXPECT_TRUE(json["friends"].empty());
    EXPECT_EQ(json["bayes"][0]["name"], "kredyt");
    EXPECT_EQ(json["bayes"][0]["list"], 1);
    EXPECT_EQ(json["bayes"][0]["stat"], 7);

    const CliResult shown = runCli({"records", "--home", home.string(), "--show-passwords"});
    EXPECT_EQ(nlohmann::json::parse(shown.out)["accounts"][0]["pass"], "tajne");
    EXPECT_FALSE(fs::exists(home / "config" / "report.dat")); // loading writes nothing
}

TEST_F(RecordsCliTest, RefusedOrDamagedFilesGiveTheProgramsMessageAndStatusTwo)
{
    RecordTable future;
    future.version = 204;
    future.columns = {"name"};
    writeRecordFile((home / "config" / "fri_database2.dat").string(), future);
    const CliResult refused = runCli({"records", "--home", home.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(refused.err.rfind("Nieprawidłowa wersja pliku konfiguracji!", 0), 0u) << refused.err;

    RecordTable rules;
    rules.columns = {"name", "sub"};
    rules.rows = {{"x", "many"}};
    writeRecordFile((home / "config" / "regs_database2.dat").string(), rules);
    const CliResult broken = runCli({"records", "--home", home.string()});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.err.rfind("Wystąpił błąd podczas otwierania pliku konfiguracji!", 0), 0u) << broken.err;
    EXPECT_NE(broken.err.find("many"), std::string::npos);
    EXPECT_FALSE(fs::exists(home / "config" / "options.ini"));
}

} // namespace
} // namespace kestrin::test
