// `kestrin-cli classify` without servers: the Bayes filter, rule faults and the
// header-only judgement; and `check` refusing a configuration it cannot load.
#include "cli_run.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/date_time.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

std::string word(const char* stem, int number)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%02d", stem, number);
    return text;
}

class ClassifyCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-classify-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
        std::vector<BayesWordRecord> words;
        // Words of 25 marked messages of each kind: enough for the filter to decide.
        for (int i = 1; i <= 30; ++i) {
            words.push_back({word("dobre", i), 0, 25, "2026-01-01 10:00:00"});
            words.push_back({word("kredyt", i), 1, 25, "2026-01-01 10:00:00"});
        }
        saveBayesWords(home.string(), words);
        RuleRecord broken;
        broken.name = "Zepsuta";
        broken.typ = 12;
        RuleRecord archiveOnly;
        archiveOnly.name = "Archiwum";
        archiveOnly.typ = 3;
        archiveOnly.sub = 0;
        archiveOnly.str = "oferta";
        archiveOnly.act = {true, false, true, false};
        saveRules(home.string(), {broken, archiveOnly});
        message = (home / "message.eml").string();
        std::string body;
        for (int i = 1; i <= 10; ++i)
            body += word("kredyt", i) + " ";
        std::ofstream(message, std::ios::binary) << "From: Bank <oferty@bank.example>\r\n"
                                                    "To: alice@example.org\r\n"
                                                    "Subject: Nowa oferta\r\n"
                                                    "Message-ID: <o1@bank.example>\r\n\r\n"
                                                 << body << "\r\n";
    }
    void TearDown() override { fs::remove_all(home); }

    nlohmann::json classify(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args{"classify", "--home", home.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        args.push_back(message);
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return nlohmann::json::parse(r.out);
    }

    fs::path home;
    std::string message;
};

TEST_F(ClassifyCliTest, BayesFilterFirstThenEveryRule)
{
    const auto judged = classify();
    EXPECT_EQ(judged["friend"], false);
    EXPECT_EQ(judged["bayes"]["asked"], true);
    EXPECT_GT(judged["bayes"]["spamicity"].get<double>(), 0.999);
    EXPECT_EQ(judged["bayes"]["words"], 10);
    EXPECT_EQ(judged["bayes"]["band"], "spam");
    EXPECT_EQ(judged["bayes"]["trained"], true);
    EXPECT_EQ(judged["bayes"]["spam_verdict"], true);
    ASSERT_EQ(judged["rules"].size(), 2u);
    EXPECT_EQ(judged["rules"][0]["name"], "Zepsuta");
    EXPECT_EQ(judged["rules"][0]["selected"], false);
    EXPECT_EQ(judged["rules"][0]["outcome"], "fault");
    EXPECT_EQ(judged["rules"][1]["selected"], true);
    // The filter archives and deletes first; the rule cannot archive again, and
    // without an outgoing server nobody answers.
    EXPECT_EQ(judged["actions"]["archive"], "(Filtr Bayesa)");
    EXPECT_TRUE(judged["actions"]["forward"].is_null());
    EXPECT_TRUE(judged["actions"]["reply"].is_null());
    EXPECT_EQ(judged["actions"]["delete"], "(Filtr Bayesa)");
    EXPECT_EQ(judged["report_cause"], "(Filtr Bayesa)");
    EXPECT_FALSE(fs::exists(reportFilePath(home.string()))) << "a dry run writes nothing";

    // Header only: the filter sees just the subject, and nothing can be archived.
    const auto header = classify({"--header-only"});
    EXPECT_EQ(header["bayes"]["spam_verdict"], false);
    EXPECT_TRUE(header["actions"]["archive"].is_null());
    EXPECT_TRUE(header["actions"]["delete"].is_null());
    EXPECT_EQ(header["report_cause"], "-");
    EXPECT_EQ(header["rules"][1]["selected"], true);

    // Switched off, the filter is not asked but its scores are still shown; the
    // rule archives and, with an outgoing server, answers.
    Settings settings = defaultSettings(home.string(), localNow());
    settings.bayesActive = false;
    settings.smtpHost = "127.0.0.1";
    settings.smtpMail = "kestrin@example.org";
    saveSettingsFile(home.string(), settings);
    const auto off = classify();
    EXPECT_EQ(off["bayes"]["asked"], false);
    EXPECT_EQ(off["bayes"]["band"], "spam");
    EXPECT_EQ(off["bayes"]["spam_verdict"], false);
    EXPECT_EQ(off["actions"]["archive"], "Archiwum");
    EXPECT_EQ(off["actions"]["reply"], "Archiwum");
    EXPECT_TRUE(off["actions"]["delete"].is_null());
    EXPECT_EQ(off["report_cause"], "-");
}

TEST_F(ClassifyCliTest, UnreadableConfigurationStopsCheckBeforeAnythingIsWritten)
{
    const fs::path accounts = home / "config" / "acc_database2.dat";
    std::ofstream(accounts, std::ios::binary) << "not a record database";
    const CliResult check = runCli({"check", "--home", home.string()});
    EXPECT_EQ(check.status, 2);
    EXPECT_FALSE(check.err.empty());
    EXPECT_TRUE(check.out.empty());
    EXPECT_FALSE(fs::exists(reportFilePath(home.string())));
    EXPECT_FALSE(fs::exists(settingsFilePath(home.string())));
    std::ifstream in(accounts, std::ios::binary);
    std::ostringstream kept;
    kept << in.rdbuf();
    EXPECT_EQ(kept.str(), "not a record database");

    const CliResult classify = runCli({"classify", "--home", home.string(), message});
    EXPECT_EQ(classify.status, 2);
    EXPECT_EQ(runCli({"check", "--home", home.string(), "--cycles", "0"}).status, 64);
}

} // namespace
} // namespace kestrin::test
