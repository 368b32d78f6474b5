// The single-instance lock on real lock files in a temporary folder.
#include "platform/single_instance.h"
#include "support/private_runtime_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/stat.h>
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

// One holder at a time; the lock names no program folder, since two copies on
// two folders would still log in to the same mailboxes.
TEST_F(SingleInstanceTest, OneHolderPerUser)
{
    SingleInstanceLock first(locks());
    ASSERT_TRUE(first.tryLock());
    EXPECT_TRUE(first.tryLock()) << "asking again keeps the lock";
    EXPECT_EQ(first.holderPid(), ::getpid());

    SingleInstanceLock second(locks());
    EXPECT_FALSE(second.tryLock());
    EXPECT_EQ(second.holderPid(), ::getpid());

    first.unlock();
    EXPECT_FALSE(first.isLocked());
    EXPECT_TRUE(second.tryLock());
    EXPECT_FALSE(first.tryLock());
}

TEST_F(SingleInstanceTest, LockFileIsNamedAfterTheMarkerInTheLockFolder)
{
    const fs::path path = singleInstanceLockPath(locks());
    EXPECT_EQ(path, fs::path(locks()) / "KestrinSweeper897218957209671984.lock");

    SingleInstanceLock lock(locks());
    EXPECT_EQ(lock.path(), path.string());
    ASSERT_TRUE(lock.tryLock());
    EXPECT_TRUE(fs::exists(path));
    lock.unlock();
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(SingleInstanceTest, HolderThatDiedWithoutUnlockingDoesNotBlock)
{
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock(locks());
        // _exit skips the destructor: the lock file stays, as after a crash.
        ::_exit(lock.tryLock() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(fs::exists(singleInstanceLockPath(locks())));

    SingleInstanceLock next(locks());
    EXPECT_TRUE(next.tryLock());
    EXPECT_EQ(next.holderPid(), ::getpid());
}

TEST_F(SingleInstanceTest, LockFolderIsTheRuntimeFolderOrAFolderOfTheUser)
{
    const uid_t uid = ::getuid();
    const std::string me = std::to_string(uid);
    const std::string stranger = std::to_string(uid + 1);
    const std::string run = (root / "run").string();
    fs::create_directories(run + "/" + me);
    fs::create_directories(run + "/" + stranger); // owned by this user, so not the stranger's own
    const std::string tmp = (root / "tmp").string();
    fs::create_directories(tmp);
    struct Case {
        std::string runtimeFolder;
        uid_t uid;
        std::string runRoot;
        std::string chosen;
    };
    const Case cases[] = {
        {locks(), uid, run, locks()},
        {"", uid, run, run + "/" + me},
        {"", uid + 1, run, tmp + "/kestrin-" + stranger},
        {"", uid, (root / "no-run").string(), tmp + "/kestrin-" + me},
        {(root / "made").string(), uid, run, (root / "made").string()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseLockFolder({c.runtimeFolder, c.uid, c.runRoot, tmp}), c.chosen) << c.runtimeFolder;
        EXPECT_TRUE(fs::is_directory(c.chosen)) << c.chosen;
    }
    struct stat info {};
    ASSERT_EQ(::stat((tmp + "/kestrin-" + me).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u) << "nobody else may take or remove the lock";

    ::setenv("XDG_RUNTIME_DIR", locks().c_str(), 1);
    EXPECT_EQ(singleInstanceLockFolder(), locks());
}

} // namespace
} // namespace kestrin
