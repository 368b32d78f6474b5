// Whether the program can write its folders, asked before a cycle deletes mail.
#include "storage/folder_access.h"
#include "storage/record_test_support.h"

#include <cstdlib>
#include <sys/stat.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

// Makes a folder refuse new files, to root too: chattr +i where root runs the
// test (as CI does), the permission bits otherwise. Undone on destruction.
class LockedFolder {
public:
    explicit LockedFolder(std::string folder) : folder_(std::move(folder))
    {
        locked_ = root() ? std::system(("chattr +i '" + folder_ + "' 2>/dev/null").c_str()) == 0
                         : ::chmod(folder_.c_str(), 0500) == 0;
    }
    ~LockedFolder()
    {
        if (root())
            std::system(("chattr -i '" + folder_ + "' 2>/dev/null").c_str());
        ::chmod(folder_.c_str(), 0700);
    }
    bool locked() const { return locked_; }

private:
    static bool root() { return ::geteuid() == 0; }
    std::string folder_;
    bool locked_ = false;
};

using FolderAccess = ProgramFolderTest;

TEST_F(FolderAccess, WritableOnlyWhereAFileCanReallyBeCreated)
{
    putFileBytes(path("a-file"), "x"); // refuses root as well
    const std::pair<std::string, bool> cases[] = {
        {path("config"), true}, {path("missing"), false}, {path("a-file"), false}};
    for (const auto& [candidate, writable] : cases)
        EXPECT_EQ(folderWritable(candidate), writable) << candidate;
    EXPECT_TRUE(fs::is_empty(folder / "config")) << "the probe file is removed";

    const LockedFolder locked(path("config"));
    if (!locked.locked())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_FALSE(folderWritable(path("config")));
}

TEST_F(FolderAccess, ProgramFolderNamesTheFolderThatCannotTakeFiles)
{
    fs::remove_all(folder / "config");
    EXPECT_EQ(unwritableProgramFolder(home()), std::nullopt);
    EXPECT_TRUE(fs::is_directory(folder / "archive")) << "created when missing";
    fs::remove_all(folder / "config");
    putFileBytes(path("config"), "a file where the folder belongs");
    EXPECT_EQ(unwritableProgramFolder(home()), path("config"));
    fs::remove(folder / "config");
    const LockedFolder locked(path("archive"));
    if (!locked.locked())
        GTEST_SKIP() << "no way to make a folder read-only here";
    EXPECT_EQ(unwritableProgramFolder(home()), path("archive"));
}

} // namespace
} // namespace kestrin::test
