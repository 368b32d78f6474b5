#include "../../fuzz/report_walk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin {
namespace {

// Seed inputs and every input that ever made fuzz_report fail, walked exactly as the fuzz target walks them.
TEST(ReportFuzzReplay, KeptInputsRunCleanly)
{
    const std::filesystem::path folder = std::filesystem::path(KESTRIN_TEST_DATA) / "fuzz-report";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(walkReportInput(input), std::nullopt);
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
} // namespace kestrin
