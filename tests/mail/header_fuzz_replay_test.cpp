#include "../../fuzz/header_walk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin {
namespace {

// Hostile seed inputs and every input that ever crashed fuzz_address, walked exactly as the fuzz target walks them.
TEST(HeaderFuzzReplay, KeptInputsRunCleanly)
{
    const std::filesystem::path folder = std::filesystem::path(KESTRIN_TEST_DATA) / "fuzz-address";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_NO_THROW(walkHeaderInput(input));
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
} // namespace kestrin
