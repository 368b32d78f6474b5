// The single-instance lock on real lock files in a temporary folder.
#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kestrin {
namespace {

namespace fs = std::filesystem;

class SingleInstanceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("kestrin-single-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "locks");
        fs::create_directories(root / "home");
        fs::create_directories(root / "other");
    }
    void TearDown() override { fs::remove_all(root); }

    std::string locks() const { return (root / "locks").string(); }
    std::string home() const { return (root / "home").string(); }
    fs::path root;
};

TEST_F(SingleInstanceTest, OneHolderPerProgramFolderWhateverItsSpelling)
{
    fs::create_directory_symlink(root / "home", root / "link");
    SingleInstanceLock first(home(), locks());
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.tryLock()) << "asking again keeps the lock";
    EXPECT_EQ(first.holderPid(), ::getpid());

    SingleInstanceLock sameFolder(home(), locks());
    EXPECT_FALSE(sameFolder.tryLock());
    SingleInstanceLock dottedSpelling((root / "other" / ".." / "home" / "").string(), locks());
    EXPECT_FALSE(dottedSpelling.tryLock());
    SingleInstanceLock throughLink((root / "link").string(), locks());
    EXPECT_FALSE(throughLink.tryLock());
    EXPECT_EQ(throughLink.holderPid(), ::getpid());

    SingleInstanceLock otherFolder((root / "other").string(), locks());
    EXPECT_TRUE(otherFolder.tryLock());

    first.unlock();
    EXPECT_FALSE(first.isLocked());
    EXPECT_TRUE(sameFolder.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST_F(SingleInstanceTest, LockFileIsNamedAfterTheMarkerInTheLockFolder)
{
    const fs::path path = singleInstanceLockPath(home(), locks());
    EXPECT_EQ(path.parent_path(), fs::path(locks()));
    EXPECT_EQ(path.filename().string().rfind("KestrinSweeper897218957209671984-", 0), 0u) << path;
    EXPECT_EQ(path.extension(), ".lock");
    EXPECT_NE(singleInstanceLockPath((root / "other").string(), locks()), path.string());

    SingleInstanceLock lock(home(), locks());
    ASSERT_TRUE(lock.tryLock());
    EXPECT_TRUE(fs::exists(path));
    lock.unlock();
    EXPECT_FALSE(fs::exists(path));
    EXPECT_FALSE(singleInstanceLockFolder().empty());
}

TEST_F(SingleInstanceTest, HolderThatDiedWithoutUnlockingDoesNotBlock)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(home(), locks());
        // _exit skips the destructor: the lock file stays, as after a crash.
        ::_exit(lock.tryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(singleInstanceLockPath(home(), locks())));

    SingleInstanceLock next(home(), locks());
    EXPECT_TRUE(next.tryLock());
    EXPECT_EQ(next.holderPid(), ::getpid());
}

} // namespace
} // namespace kestrin
