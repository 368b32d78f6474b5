#include "../../fuzz/record_db_walk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace kestrin {
namespace {

// Seed files and every input that ever crashed fuzz_record_db, walked exactly as the fuzz target walks them.
TEST(RecordFuzzReplay, KeptInputsRunCleanly)
{
    const std::filesystem::path folder = std::filesystem::path(KESTRIN_TEST_DATA) / "fuzz-record-db";
    ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
    size_t replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string input((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_NO_THROW(walkRecordDbInput(input));
        ++replayed;
    }
    EXPECT_GT(replayed, 0u);
}

} // namespace
} // namespace kestrin
