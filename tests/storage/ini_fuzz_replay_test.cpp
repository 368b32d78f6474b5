#include "../../fuzz/ini_walk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin {
namespace {

// Seed inputs and every input fuzz_ini ever failed on, walked exactly as the fuzz target walks them.
TEST(IniFuzzReplay, KeptInputsRoundTrip)
{
    const std::filesystem::path folder = std::filesystem::path(KESTRIN_TEST_DATA) / "fuzz-ini";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(walkIniInput(input)) << entry.path().filename().string();
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
} // namespace kestrin
