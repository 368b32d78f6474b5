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

} // namespace
} // namespace kestrin::test
