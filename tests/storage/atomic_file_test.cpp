#include "storage/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace kestrin {
namespace {

class AtomicFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder =
            std::filesystem::temp_directory_path() / ("kestrin-atomic-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    void TearDown() override
    {
        setBeforeRenameHookForTests(nullptr);
        std::filesystem::remove_all(folder);
    }
    size_t filesInFolder(const std::filesystem::path& dir) const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(dir), {}));
    }
    std::filesystem::path folder;
};

TEST_F(AtomicFileTest, WritesNewFilesPrivatelyAndCreatesFolders)
{
    const std::string path = (folder / "config" / "a.dat").string();
    writeFileAtomically(path, std::string("x\0y", 3));
    EXPECT_EQ(readWholeFile(path), std::string("x\0y", 3));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(filesInFolder(folder / "config"), 1u); // no temporary file left behind
}

TEST_F(AtomicFileTest, ReplacingKeepsTheModeTheUserChose)
{
    const std::string path = (folder / "b.ini").string();
    writeFileAtomically(path, "old");
    ::chmod(path.c_str(), 0640);
    writeFileAtomically(path, "new");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(readWholeFile(path), "new");
}

TEST_F(AtomicFileTest, AFailureBeforeTheRenameLeavesThePreviousFileWhole)
{
    const std::string path = (folder / "c.dat").string();
    writeFileAtomically(path, "previous contents");
    setBeforeRenameHookForTests([](const std::string&) { throw EFileError("simulated crash"); });
    EXPECT_THROW(writeFileAtomically(path, "half-written replacement"), EFileError);
    EXPECT_EQ(readWholeFile(path), "previous contents");
    EXPECT_EQ(filesInFolder(folder), 1u);
}

TEST_F(AtomicFileTest, ErrorsNameTheFile)
{
    try {
        readWholeFile((folder / "missing").string());
        FAIL() << "no error";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("missing"), std::string::npos);
    }
    std::filesystem::create_directories(folder);
    const std::string blocked = (folder / "file").string();
    writeFileAtomically(blocked, "x");
    EXPECT_THROW(writeFileAtomically(blocked + "/inside", "y"), EFileError); // a file stands where a folder must be
}

} // namespace
} // namespace kestrin
