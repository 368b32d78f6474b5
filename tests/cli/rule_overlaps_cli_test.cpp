#include "cli_run.h"
#include "platform/single_instance.h"
#include "storage/record_tables.h"
#include "support/rule_records.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class RuleOverlapsCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-overlaps-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        // Positions 1 and 3 are covered; 4 covers nothing and is covered by nothing.
        saveRules(home.string(),
                  {ruleRecord("oferta", 3, 0, "offer"), ruleRecord("Tania \xB3\xF3\x64\x9F", 3, 0, "cheap OFFER"),
                   ruleRecord("duze", 5, 0, "256"), ruleRecord("wieksze", 5, 0, "1024"),
                   ruleRecord("nadawca", 1, 9, ".pl")});
    }
    void TearDown() override { fs::remove_all(home); }

    CliResult overlaps(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args = {"rules", "overlaps", "--home", home.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    }
    std::vector<std::string> ruleNames() const
    {
        std::vector<std::string> names;
        for (const RuleRecord& r : loadRules(home.string()))
            names.push_back(r.name);
        return names;
    }
    fs::path home;
};

const nlohmann::json kListed = nlohmann::json::parse(R"([
    {"id": 1, "name": "Tania łódź", "covered_by": "oferta"},
    {"id": 3, "name": "wieksze", "covered_by": "duze"}])");

TEST_F(RuleOverlapsCliTest, PrintsEachCoveredRuleWithItsCoveringRuleAndWritesNothing)
{
    const auto before = fs::last_write_time(home / "config" / "regs_database2.dat");
    const CliResult r = overlaps();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out), kListed);
    EXPECT_EQ(fs::last_write_time(home / "config" / "regs_database2.dat"), before);
    EXPECT_EQ(ruleNames().size(), 5u);
}

TEST_F(RuleOverlapsCliTest, DeleteRemovesTheListedRulesAndKeepsTheRest)
{
    const CliResult r = overlaps({"--delete"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(nlohmann::json::parse(r.out), kListed);
    EXPECT_EQ(ruleNames(), (std::vector<std::string>{"oferta", "duze", "nadawca"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(home / "config"), fs::directory_iterator{}), 1);

    const CliResult again = overlaps({"--delete"});
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(nlohmann::json::parse(again.out), nlohmann::json::array());
    EXPECT_EQ(ruleNames().size(), 3u);
}

TEST_F(RuleOverlapsCliTest, DeleteRefusesWhileAnotherKestrinRuns)
{
    SingleInstanceLock window(singleInstanceLockFolder());
    ASSERT_TRUE(window.tryLock());
    const CliResult refused = overlaps({"--delete"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("Nie można uruchomić na raz dwóch kopii tego programu!"), std::string::npos);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(ruleNames().size(), 5u);
    window.unlock();
}

TEST_F(RuleOverlapsCliTest, UnknownSubcommandIsAUsageError)
{
    EXPECT_EQ(runCli({"rules", "nothing", "--home", home.string()}).status, 64);
}

} // namespace
} // namespace kestrin::test
