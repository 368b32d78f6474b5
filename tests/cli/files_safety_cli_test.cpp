// kestrin-cli against careless input and a hostile local user: an empty or
// wrong --home, endless input files, a permissive umask and the temporary
// files a killed run left behind.
#include "cli_run.h"
#include "support/file_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

class FilesSafetyCli : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("kestrin-files-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        fs::create_directories(root / "cwd");
        std::ofstream(root / "message.eml") << "From: a@example.org\r\nSubject: x\r\n\r\ntext\r\n";
        std::ofstream(root / "a-file") << "not a folder";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
};

TEST_F(FilesSafetyCli, EveryCommandRefusesAHomeThatIsNoFolder)
{
    const std::string message = (root / "message.eml").string();
    const std::vector<std::vector<std::string>> commands = {
        {"settings"},
        {"report"},
        {"records"},
        {"check"},
        {"watch"},
        {"classify", message},
        {"db", "dump", "config/acc_database2.dat"},
        {"db", "load", "config/acc_database2.dat"},
    };
    const std::pair<std::string, std::string> homes[] = {
        {"", "--home needs the name of a folder, not an empty text"},
        {(root / "a-file").string(), "--home " + (root / "a-file").string() + " is not a folder"},
    };
    // Run from an empty folder: an empty --home must not put files there (nor at the root).
    const fs::path saved = fs::current_path();
    fs::current_path(root / "cwd");
    for (const auto& [home, text] : homes) {
        for (std::vector<std::string> args : commands) {
            args.insert(args.end(), {"--home", home});
            const CliResult r = runCliWithInput(args, "/dev/null");
            EXPECT_EQ(r.status, 2) << args[0] << " --home '" << home << "'";
            EXPECT_EQ(r.err, "kestrin-cli " + args[0] + ": " + text + "\n") << args[0];
            EXPECT_TRUE(r.out.empty()) << args[0];
        }
    }
    fs::current_path(saved);
    EXPECT_TRUE(fs::is_empty(root / "cwd"));
    std::ifstream named(root / "a-file");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(named), {}), "not a folder");
}

TEST_F(FilesSafetyCli, EndlessInputIsRefusedInsteadOfFillingMemory)
{
    const std::string home = (root / "home").string();
    const std::string output = (root / "home/config/regs_database2.dat").string();
    struct Case {
        std::vector<std::string> args;
        std::string input; // standard input
        std::string says;
    };
    const Case cases[] = {
        {{"parse", "/dev/zero"}, "/dev/null", "Cannot read /dev/zero: the file is larger than 96 MiB"},
        {{"eval-rule", "--typ", "0", "--sub", "0", "--value", "x", "/dev/zero"},
         "/dev/null",
         "Cannot read /dev/zero: the file is larger than 96 MiB"},
        {{"classify", "--home", home, "/dev/zero"},
         "/dev/null",
         "Cannot read /dev/zero: the file is larger than 96 MiB"},
        {{"db", "dump", "/dev/zero"}, "/dev/null", "Cannot read /dev/zero: the file is larger than 16 MiB"},
        {{"db", "load", output}, "/dev/zero", "The input is larger than 64 MiB"},
    };
    for (const Case& c : cases) {
        const CliResult r = runCliWithInput(c.args, c.input);
        EXPECT_EQ(r.status, 2) << c.args[0];
        EXPECT_EQ(r.err, c.says + "\n") << c.args[0];
        EXPECT_TRUE(r.out.empty()) << c.args[0];
    }
    EXPECT_FALSE(fs::exists(output)) << "nothing is written from refused input";
}

TEST_F(FilesSafetyCli, StaleTemporaryFilesGoWhenACommandOpensTheFolder)
{
    using namespace std::chrono_literals;
    const fs::path home = root / "home";
    fs::create_directories(home / "config");
    fs::create_directories(home / "archive");
    std::ofstream(root / "victim") << "keep me";
    struct Case {
        const char* entry;
        bool link;
        std::chrono::seconds age;
        bool removed;
    };
    const Case cases[] = {
        {"config/.kestrin-abc123", false, 30min, true},
        {"archive/.kestrin-X1y2Z3", false, 30min, true},
        {".kestrin-r4t5y6", false, 30min, true},
        {"config/.kestrin-new123", false, 0s, false},
        {"config/.kestrin-abc123.bak", false, 30min, false},
        {"config/.kestrin-lnk123", true, 30min, false},
    };
    for (const Case& c : cases) {
        if (c.link)
            fs::create_symlink(root / "victim", home / c.entry);
        else
            std::ofstream(home / c.entry) << "acc_database2 copy";
        setFileAge((home / c.entry).string(), c.age);
    }
    const CliResult r = runCli({"report", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const Case& c : cases)
        EXPECT_EQ(fs::exists(fs::symlink_status(home / c.entry)), !c.removed) << c.entry;
    std::ifstream victim(root / "victim");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), {}), "keep me");
}

TEST_F(FilesSafetyCli, AFreshProgramFolderIsPrivateUnderAnOpenUmask)
{
    const fs::path home = root / "new" / "home";
    const CliResult r = [&] {
        const ScopedUmask open(0);
        return runCli({"check", "--home", home.string()});
    }();
    ASSERT_EQ(r.status, 0) << r.err;
    for (const fs::path& made : {root / "new", home, home / "config"})
        EXPECT_EQ(fileMode(made), 0700u) << made;
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(home / "config")) {
        EXPECT_EQ(fileMode(entry.path()), 0600u) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 5u) << "save-all wrote the settings, the record files and the report";
}

} // namespace
} // namespace kestrin::test
