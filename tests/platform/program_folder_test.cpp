#include "platform/program_folder.h"
#include "support/file_checks.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("kestrin-folder-" + std::to_string(::getpid()));
        fs::remove_all(root);
        write(root / "shipped" / "data" / "tray0.ico", "icon");
        write(root / "shipped" / "data" / "newmail.wav", "sound");
        write(root / "shipped" / "skins" / "kestrin.ini", "[Window]");
    }
    void TearDown() override { fs::remove_all(root); }

    static void write(const fs::path& file, const std::string& text)
    {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const fs::path& file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root;
};

TEST_F(ProgramFolderTest, FirstStartCopiesTheShippedFilesAndKeepsTheUsersOwn)
{
    const fs::path home = root / "home";
    write(home / "skins" / "kestrin.ini", "[Window]\nLeft=5"); // the user's edited skin

    EXPECT_EQ(installShippedData(home.string(), (root / "shipped").string()), 2);
    EXPECT_EQ(read(home / "data" / "tray0.ico"), "icon");
    EXPECT_EQ(read(home / "data" / "newmail.wav"), "sound");
    EXPECT_EQ(read(home / "skins" / "kestrin.ini"), "[Window]\nLeft=5");
    EXPECT_TRUE(fs::is_directory(home / "config"));
    EXPECT_TRUE(fs::is_directory(home / "archive"));

    EXPECT_EQ(installShippedData(home.string(), (root / "shipped").string()), 0) << "the next start copies nothing";
    EXPECT_EQ(installShippedData(home.string(), (root / "nowhere").string()), 0);
}

TEST_F(ProgramFolderTest, HomeOptionWinsAndOtherwiseAFolderIsAlwaysChosen)
{
    EXPECT_EQ(chooseProgramFolder(std::string("/srv/poczta")), "/srv/poczta");
    const std::string chosen = chooseProgramFolder(std::nullopt);
    EXPECT_FALSE(chosen.empty());
    // The test executable's folder is writable, so it is used as a portable folder.
    EXPECT_EQ(chosen, executableFolder());
    EXPECT_EQ(fs::path(shippedDataFolder()), fs::path(executableFolder()).parent_path() / "share" / "kestrin");
}

TEST_F(ProgramFolderTest, EveryFolderMadeAtFirstStartIsPrivateWhateverTheUmask)
{
    fs::create_directories(root / "mine");
    fs::permissions(root / "mine", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    {
        const ScopedUmask open(0);
        installShippedData((root / "home").string(), (root / "shipped").string());
        installShippedData((root / "mine").string(), (root / "shipped").string());
    }
    for (const char* made : {"home", "home/config", "home/archive", "home/data", "home/skins", "mine/config"})
        EXPECT_EQ(fileMode((root / made).string()), 0700u) << made;
    EXPECT_EQ(fileMode((root / "mine").string()), 0750u) << "a folder the user made keeps its mode";
}

} // namespace
} // namespace kestrin::test
