// Whether the program can write its folders, asked before a cycle deletes mail.
#include "storage/folder_access.h"
#include "storage/record_test_support.h"

#include <cstdlib>
#include <sys/stat.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

// Makes a folder refuse new files, also to root: chattr +i where root runs
// the test (as CI does), the permission bits otherwise. Undone on destruction.
class LockedFolder {
public:
    explicit LockedFolder(std::string folder) : folder_(std::move(folder))
    {
        if (::geteuid() == 0)
            locked_ = std::system(("chattr +i '" + folder_ + "' 2>/dev/null").c_str()) == 0;
        else
            locked_ = ::chmod(folder_.c_str(), 0500) == 0;
    }
    ~LockedFolder()
    {
        if (::geteuid() == 0)
            std::system(("chattr -i '" + folder_ + "' 2>/dev/null").c_str());
        else
            ::chmod(folder_.c_str(), 0700);
    }
    LockedFolder(const LockedFolder&) = delete;
    LockedFolder& operator=(const LockedFolder&) = delete;
    bool locked() const { return locked_; }

private:
    std::string folder_;
    bool locked_ = false;
};

using FolderAccess = ProgramFolderTest;

TEST_F(FolderAccess, WritableOnlyWhereAFileCanReallyBeCreated)
{
    putFileBytes(path("a-file"), "x");
    fs::create_directories(folder / "locked");
    const LockedFolder locked(path("locked"));
    if (!locked.locked())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    const std::pair<std::string, bool> cases[] = {
        {path("config"), true},
        {path("missing"), false},
        {path("a-file"), false},
        {path("locked"), false},
    };
    for (const auto& [candidate, writable] : cases)
        EXPECT_EQ(folderWritable(candidate), writable) << candidate;
    EXPECT_TRUE(fs::is_empty(folder / "config")) << "the probe file is removed";
    EXPECT_FALSE(fs::exists(folder / "missing")) << "asking creates nothing";
}

TEST_F(FolderAccess, ProgramFolderNamesTheFolderThatCannotTakeFiles)
{
    fs::remove_all(folder / "config");
    EXPECT_EQ(unwritableProgramFolder(home()), std::nullopt);
    for (const char* created : {"config", "archive"})
        EXPECT_TRUE(fs::is_directory(folder / created)) << created;

    fs::remove_all(folder / "config");
    putFileBytes(path("config"), "a file where the folder belongs");
    EXPECT_EQ(unwritableProgramFolder(home()), path("config"));

    fs::remove(folder / "config");
    const LockedFolder locked(path("archive"));
    if (!locked.locked())
        GTEST_SKIP() << "the folder cannot be made read-only here";
    EXPECT_EQ(unwritableProgramFolder(home()), path("archive"));
}

} // namespace
} // namespace kestrin::test
