#include "storage/report_file.h"

#include "storage/atomic_file.h"
#include "storage/report_entry.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <unistd.h>

namespace kestrin {
namespace {

class ReportFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home =
            std::filesystem::temp_directory_path() / ("kestrin-report-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home);
        path = reportFilePath(home.string());
    }
    void TearDown() override
    {
        setBeforeRenameHookForTests(nullptr);
        std::filesystem::remove_all(home);
    }
    std::vector<std::string> numberedLines(int count) const
    {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back("error|entry " + std::to_string(i));
        return lines;
    }
    std::filesystem::path home;
    std::string path;
};

TEST_F(ReportFileTest, PathLiesInTheConfigFolder)
{
    EXPECT_EQ(reportFilePath("/opt/kestrin"), "/opt/kestrin/config/report.dat");
}

TEST_F(ReportFileTest, LinesSplitAtCrLfOrLfAndKeepEveryOtherByte)
{
    EXPECT_EQ(splitReportLines(""), std::vector<std::string>{});
    EXPECT_EQ(splitReportLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitReportLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(splitReportLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(splitReportLines("\r\n"), std::vector<std::string>{""});
    EXPECT_EQ(splitReportLines("a\rb\r\n"), std::vector<std::string>{"a\rb"});
    EXPECT_EQ(splitReportLines("a\r\r\n"), std::vector<std::string>{"a\r"});
    EXPECT_EQ(splitReportLines(std::string("\xA6\x9c\0z\r\n", 6)),
              std::vector<std::string>{std::string("\xA6\x9c\0z", 4)});
}

TEST_F(ReportFileTest, SavedFileIsCrLfLinesNewestFirstAndLoadsBack)
{
    const std::vector<std::string> lines = {"mail|<1>|\xA6|x", "",
                                            "error|Nie mo\xBF"
                                            "na",
                                            "run|a\rb", "x\r"};
    saveReportFile(path, lines);
    EXPECT_EQ(readWholeFile(path), "mail|<1>|\xA6|x\r\n\r\nerror|Nie mo\xBF"
                                   "na\r\nrun|a\rb\r\nx\r\r\n");
    EXPECT_EQ(loadReportFile(path), lines);

    saveReportFile(path, {});
    EXPECT_EQ(readWholeFile(path), "");
    EXPECT_EQ(loadReportFile(path), std::vector<std::string>{});
}

TEST_F(ReportFileTest, AnLfInsideALineIsSavedAsABlankSoTheEntryStaysWhole)
{
    saveReportFile(path, {"error|first\nsecond", "run|x"});
    EXPECT_EQ(loadReportFile(path), (std::vector<std::string>{"error|first second", "run|x"}));
}

TEST_F(ReportFileTest, MissingFileIsEmptyAndUnreadableFileFails)
{
    EXPECT_EQ(loadReportFile(path), std::vector<std::string>{});
    std::filesystem::create_directories(path); // a folder where the file should be
    EXPECT_THROW(loadReportFile(path), EFileError);
}

TEST_F(ReportFileTest, FailedSaveLeavesThePreviousFile)
{
    saveReportFile(path, {"run|old"});
    setBeforeRenameHookForTests([](const std::string&) { throw EFileError("simulated crash"); });
    EXPECT_THROW(saveReportFile(path, {"run|new", "run|old"}), EFileError);
    setBeforeRenameHookForTests(nullptr);
    EXPECT_EQ(loadReportFile(path), std::vector<std::string>{"run|old"});
}

TEST_F(ReportFileTest, LoadReplacesTheListAndPutsTheRunEntryOnTop)
{
    const TDateTime now = encodeDateTime({2025, 1, 2, 3, 4, 5, 0});
    const std::string run = "run|Uruchomienie aplikacji: 2025-01-02 / 03:04:05";

    std::vector<std::string> report = {"left over"};
    loadReport(report, path, now); // no file: nothing replaced
    EXPECT_EQ(report, (std::vector<std::string>{run, "left over"}));

    saveReportFile(path, {"mail|b", "error|a"});
    report = {"left over"};
    loadReport(report, path, now);
    EXPECT_EQ(report, (std::vector<std::string>{run, "mail|b", "error|a"}));

    std::filesystem::remove(path);
    std::filesystem::create_directories(path);
    report = {"kept"};
    EXPECT_THROW(loadReport(report, path, now), EFileError);
    EXPECT_EQ(report, std::vector<std::string>{"kept"});
}

TEST_F(ReportFileTest, StartUpLimitKeepsTheRunEntryAndTheNewestOldEntries)
{
    saveReportFile(path, numberedLines(150));
    std::vector<std::string> report;
    loadReport(report, path, encodeDateTime({2025, 1, 2, 3, 4, 5, 0}));
    applyReportLimit(report, 10, false);
    ASSERT_EQ(report.size(), 100u);
    EXPECT_EQ(splitReportEntry(report.front()).kind, "run");
    EXPECT_EQ(report[1], "error|entry 0");
    EXPECT_EQ(report.back(), "error|entry 98");

    applyReportLimit(report, 10, true);
    EXPECT_TRUE(report.empty());
}

TEST_F(ReportFileTest, OutOfRangeMaxRepIsBroughtIntoTheSliderRange)
{
    const std::vector<std::string> lines = numberedLines(300);
    auto keptWith = [&](int maxRep) {
        std::vector<std::string> report = lines;
        applyReportLimit(report, maxRep, false);
        EXPECT_TRUE(std::equal(report.begin(), report.end(), lines.begin()));
        return report.size();
    };
    EXPECT_EQ(keptWith(1), 10u);
    EXPECT_EQ(keptWith(25), 250u);
    EXPECT_EQ(keptWith(0), 10u);
    EXPECT_EQ(keptWith(-3), 10u);
    EXPECT_EQ(keptWith(std::numeric_limits<int>::min()), 10u);
    EXPECT_EQ(keptWith(26), 250u);
    EXPECT_EQ(keptWith(std::numeric_limits<int>::max()), 250u);

    std::vector<std::string> few = numberedLines(5);
    applyReportLimit(few, 1, false);
    EXPECT_EQ(few, numberedLines(5));
}

TEST_F(ReportFileTest, HugeFileAndSeparatorFreeLinesLoad)
{
    // 16 MB in one line without any separator, then many short lines.
    std::string bytes(16u * 1024 * 1024, 'x');
    bytes += "\r\n";
    for (int i = 0; i < 200000; ++i)
        bytes += "mail|\xA6\xA6||\r\n";
    std::filesystem::create_directories(home / "config");
    writeFileAtomically(path, bytes);
    const std::vector<std::string> lines = loadReportFile(path);
    ASSERT_EQ(lines.size(), 200001u);
    EXPECT_EQ(lines.front().size(), 16u * 1024 * 1024);
    EXPECT_EQ(lines.back(), "mail|\xA6\xA6||");
    const std::vector<std::string> fields = splitMailFields(splitReportEntry(lines.front()).payload);
    EXPECT_EQ(fields.size(), 1u);
}

} // namespace
} // namespace kestrin
