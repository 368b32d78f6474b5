// Temporary files a killed run left: which go at start and which stay.
#include "storage/record_test_support.h"
#include "storage/stale_temporary_files.h"
#include "storage/temporary_file.h"
#include "support/file_checks.h"

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

enum class Kind { File, Link, Folder };

using StaleTemporaryFiles = ProgramFolderTest;

TEST_F(StaleTemporaryFiles, OnlyOldRegularFilesOfOurPatternGo)
{
    using namespace std::chrono_literals;
    const std::string victim = path("victim.txt");
    putFileBytes(victim, "keep me");
    struct Case {
        const char* entry; // below the program folder
        Kind kind;
        std::chrono::seconds age;
        bool removed;
    };
    const Case cases[] = {
        {"config/.kestrin-abc123", Kind::File, 60min, true},
        {"archive/.kestrin-Zz09Aa", Kind::File, 11min, true},
        {".kestrin-q1w2e3", Kind::File, 24h, true},
        {"config/.kestrin-young1", Kind::File, 1min, false}, // another kestrin-cli may be writing it
        {"config/.kestrin-abc12", Kind::File, 60min, false},
        {"config/.kestrin-abc1234", Kind::File, 60min, false},
        {"config/.kestrin-abc_12", Kind::File, 60min, false},
        {"config/kestrin-abc123", Kind::File, 60min, false},
        {"config/options.ini", Kind::File, 60min, false},
        {"config/.kestrin-link01", Kind::Link, 60min, false},
        {"config/.kestrin-fold01", Kind::Folder, 60min, false},
        {"data/.kestrin-abc123", Kind::File, 60min, false}, // not one of our writing folders
    };
    fs::create_directories(folder / "archive");
    fs::create_directories(folder / "data");
    for (const Case& c : cases) {
        const std::string entry = path(c.entry);
        if (c.kind == Kind::File)
            putFileBytes(entry, "password copy");
        else if (c.kind == Kind::Link)
            fs::create_symlink(victim, entry);
        else
            fs::create_directory(entry);
        setFileAge(entry, c.age);
    }

    EXPECT_EQ(removeStaleTemporaryFiles(home()), 3);
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(path(c.entry))), !c.removed) << c.entry;
    EXPECT_EQ(fileBytes(victim), "keep me");
    EXPECT_EQ(removeStaleTemporaryFiles(home() + "/missing"), 0);
}

TEST_F(StaleTemporaryFiles, ThePatternIsTheOneTheWritersUse)
{
    TemporaryFile temporary(path("config"));
    ASSERT_TRUE(temporary.tryCreate());
    const std::string name = fs::path(temporary.path()).filename().string();
    EXPECT_TRUE(isTemporaryFileName(name)) << name;
    setFileAge(temporary.path(), kStaleTemporaryAge + std::chrono::seconds(1));
    EXPECT_EQ(removeStaleTemporaryFilesIn(path("config")), 1);
}

} // namespace
} // namespace kestrin::test
