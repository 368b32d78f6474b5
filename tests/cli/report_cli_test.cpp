#include "cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

class ReportCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home =
            std::filesystem::temp_directory_path() / ("kestrin-cli-report-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home);
        std::filesystem::create_directories(home / "config");
    }
    void TearDown() override { std::filesystem::remove_all(home); }
    void writeReport(const std::string& bytes) const
    {
        std::ofstream(home / "config" / "report.dat", std::ios::binary) << bytes;
    }
    std::filesystem::path home;
};

TEST_F(ReportCliTest, PrintsTheLinesInFileOrderAsUtf8)
{
    writeReport("mail|<a@b>|\xA6|2025-01-14 / 09:30:00|\xA6|Pawe\xB3\r\n"
                "error|Nie mo\xBFna nawi\xB9za\xE6 po\xB3\xB9"
                "czenia z sieci\xB9 internet!\r\n"
                "\r\n"
                "run|Uruchomienie aplikacji: 2025-01-14 / 09:00:00\r\n");
    const CliResult r = runCli({"report", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "mail|<a@b>|¦|2025-01-14 / 09:30:00|¦|Paweł\n"
                     "error|Nie można nawiązać połączenia z siecią internet!\n"
                     "\n"
                     "run|Uruchomienie aplikacji: 2025-01-14 / 09:00:00\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(ReportCliTest, MissingFilePrintsNothing)
{
    const CliResult r = runCli({"report", "--home", (home / "elsewhere").string()});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST_F(ReportCliTest, UnreadableFileAndBadCommandLinesFail)
{
    std::filesystem::create_directories(home / "config" / "report.dat");
    const CliResult unreadable = runCli({"report", "--home", home.string()});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.out, "");
    EXPECT_NE(unreadable.err.find("report.dat"), std::string::npos) << unreadable.err;

    EXPECT_EQ(runCli({"report", "--home"}).status, 64);
    EXPECT_EQ(runCli({"report", "--home", home.string(), "extra"}).status, 64);
}

std::string mailLine(const std::string& subject, const std::string& topWords)
{
    return "mail|<1@x>|\xA6|2025-01-13 / 08:00:00|\xA6|a|\xA6|-|\xA6|Konto|\xA6|Ala|\xA6|ala@example.com|\xA6|" +
           subject + "|\xA6|1 kb|\xA6|" + topWords + "|\xA6|0|\xA6|0";
}

TEST_F(ReportCliTest, BayesMarksTrainAndCountOnceAndStatsShowThePage)
{
    writeReport(mailLine("Tanie kredyty", "kredyt pozyczka gotowka") + "\r\nerror|Brak sieci\r\n");
    std::ofstream(home / "config" / "options.ini") << "[Stats]\r\nCheckMsg=8\r\nDelMsg=1\r\n";
    const std::string dir = home.string();
    struct Case {
        std::vector<std::string> words;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {{"report", "mark", "0", "--spam", "--home", dir}, 0, ""},
        {{"report", "mark", "0", "--good", "--home", dir},
         1,
         "Nie można oznaczyć wybranej wiadomości gdyż została już ona oznaczona!"},
        {{"report", "mark", "1", "--good", "--home", dir}, 1, "is not a checked message"},
        {{"report", "mark", "2", "--good", "--home", dir}, 2, "no report line 2"},
        {{"report", "mark", "x", "--good", "--home", dir}, 2, "no report line x"},
        {{"report", "mark", "0", "--home", dir}, 64, "exactly one of --good and --spam"},
        {{"report", "mark", "0", "--good", "--spam", "--home", dir}, 64, "exactly one of --good and --spam"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCli(c.words);
        EXPECT_EQ(r.status, c.status) << c.words[2] << " " << c.words[3] << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    const CliResult report = runCli({"report", "--home", dir});
    EXPECT_EQ(report.out.substr(0, report.out.find('\n')),
              "mail|<1@x>|¦|2025-01-13 / 08:00:00|¦|a|¦|-|¦|Konto|¦|Ala|¦|ala@example.com|¦|Tanie kredyty|¦|1 kb|¦|"
              "kredyt pozyczka gotowka|¦|0|¦|2")
        << "the spam mark, nothing else changed";
    const CliResult words = runCli({"records", "--home", dir});
    for (const char* trained : {"kredyt", "pozyczka", "gotowka", "kredyty"})
        EXPECT_NE(words.out.find(trained), std::string::npos) << trained;

    ::setenv("LC_ALL", "pl_PL.UTF-8", 1);
    const CliResult stats = runCli({"stats", "--home", dir});
    ::unsetenv("LC_ALL");
    ASSERT_EQ(stats.status, 0) << stats.err;
    for (const char* field :
         {R"x("stat_check0": "0")x", R"x("stat_accept0": "0 (0,00%)")x", R"x("stat_check1": "8")x",
          R"x("stat_accept1": "7 (87,50%)")x", R"x("stat_del1": "1 (12,50%)")x", R"x("bay_statall": "1")x",
          R"x("bay_stat0": "0 (0,00%)")x", R"x("bay_stat1": "1 (100,00%)")x", R"x("bay_statdel": "0")x",
          R"x("stat_acceptpb1": 88)x", R"x("stat_delpb1": 12)x", R"x("bay_stat1pb": 100)x"})
        EXPECT_NE(stats.out.find(field), std::string::npos) << field << "\n" << stats.out;
}

} // namespace
} // namespace kestrin::test
