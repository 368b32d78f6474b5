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
        root = fs::temp_directory_path() / ("kestrin-files-cli-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "cwd");
        std::ofstream(root / "a-file") << "not a folder";
    }
    void TearDown() override { fs::remove_all(root); }

    fs::path root;
};

TEST_F(FilesSafetyCli, EveryCommandRefusesAHomeThatIsNoFolder)
{
    const std::vector<std::vector<std::string>> commands = {{"settings"},
                                                            {"report"},
                                                            {"records"},
                                                            {"check"},
                                                            {"watch"},
                                                            {"classify", (root / "a-file").string()},
                                                            {"db", "dump", "config/acc_database2.dat"},
                                                            {"db", "load", "config/acc_database2.dat"}};
    const std::pair<std::string, std::string> homes[] = {
        {"", "--home needs the name of a folder, not an empty text"},
        {(root / "a-file").string(), "--home " + (root / "a-file").string() + " is not a folder"}};
    // From an empty folder: an empty --home must put no file there (nor at the root).
    const fs::path saved = fs::current_path();
    fs::current_path(root / "cwd");
    for (const auto& [home, text] : homes) {
        for (std::vector<std::string> args : commands) {
            args.insert(args.end(), {"--home", home});
            const CliResult r = runCliWithInput(args, "/dev/null");
            EXPECT_EQ(r.status, 2) << args[0] << " --home '" << home << "'";
            EXPECT_EQ(r.err, "kestrin-cli " + args[0] + ": " + text + "\n");
        }
    }
    fs::current_path(saved);
    EXPECT_TRUE(fs::is_empty(root / "cwd"));
}

TEST_F(FilesSafetyCli, EndlessInputIsRefusedInsteadOfFillingMemory)
{
    const std::string output = (root / "regs_database2.dat").string();
    const std::string message = "Cannot read /dev/zero: the file is larger than 96 MiB\n";
    const std::tuple<std::vector<std::string>, std::string, std::string> cases[] = {
        {{"parse", "/dev/zero"}, "/dev/null", message},
        {{"eval-rule", "--typ", "0", "--sub", "0", "--value", "x", "/dev/zero"}, "/dev/null", message},
        {{"classify", "--home", root.string(), "/dev/zero"}, "/dev/null", message},
        {{"db", "dump", "/dev/zero"}, "/dev/null", "Cannot read /dev/zero: the file is larger than 16 MiB\n"},
        {{"db", "load", output}, "/dev/zero", "The input is larger than 64 MiB\n"}};
    for (const auto& [args, input, says] : cases) {
        const CliResult r = runCliWithInput(args, input);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, says) << args[0];
    }
    EXPECT_FALSE(fs::exists(output)) << "nothing is written from refused input";
}

TEST_F(FilesSafetyCli, StaleTemporaryFilesGoWhenACommandOpensTheFolder)
{
    using namespace std::chrono_literals;
    fs::create_directories(root / "config");
    fs::create_directories(root / "archive");
    const std::tuple<const char*, std::chrono::seconds, bool> entries[] = {{"config/.kestrin-abc123", 30min, true},
                                                                           {"archive/.kestrin-X1y2Z3", 30min, true},
                                                                           {".kestrin-r4t5y6", 30min, true},
                                                                           {"config/.kestrin-new123", 0s, false},
                                                                           {"config/.kestrin-abc123.bak", 30min, false},
                                                                           {"config/.kestrin-lnk123", 30min, false}};
    for (const auto& [entry, age, removed] : entries) {
        if (std::string(entry).ends_with("lnk123"))
            fs::create_symlink(root / "a-file", root / entry); // a link of our name is not followed
        else
            std::ofstream(root / entry) << "acc_database2 copy";
        setFileAge((root / entry).string(), age);
    }
    ASSERT_EQ(runCli({"report", "--home", root.string()}).status, 0);
    for (const auto& [entry, age, removed] : entries)
        EXPECT_EQ(fs::exists(fs::symlink_status(root / entry)), !removed) << entry;
    EXPECT_EQ(fs::file_size(root / "a-file"), 12u);
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
        EXPECT_EQ(fileMode(made.string()), 0700u) << made;
    for (const auto& entry : fs::directory_iterator(home / "config"))
        EXPECT_EQ(fileMode(entry.path().string()), 0600u) << entry.path();
    EXPECT_TRUE(fs::exists(home / "config" / "report.dat"));
}

} // namespace
} // namespace kestrin::test
