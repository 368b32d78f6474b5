// What a hostile local user or careless input can do to the program's files:
// a link planted under a file's name, endless files, leftovers of a killed run.
#include "storage/atomic_file.h"
#include "storage/ini_file.h"
#include "storage/record_database.h"
#include "storage/record_test_support.h"
#include "storage/report_file.h"
#include "storage/stale_temporary_files.h"
#include "storage/temporary_file.h"
#include "support/file_checks.h"

#include <functional>

namespace kestrin::test {
namespace {

using FileSafety = ProgramFolderTest;

TEST_F(FileSafety, AReplaceSwapsAPlantedLinkForAPrivateFileAndLeavesItsTarget)
{
    const std::string victim = path("authorized_keys");
    putFileBytes(victim, "ssh-ed25519 AAAA user@host\n");
    ::chmod(victim.c_str(), 0644);
    std::filesystem::create_symlink(victim, path("config/acc_database2.dat"));
    writeFileAtomically(path("config/acc_database2.dat"), "passwords");
    EXPECT_EQ(fileBytes(victim), "ssh-ed25519 AAAA user@host\n");
    EXPECT_EQ(fileBytes(path("config/acc_database2.dat")), "passwords");
    EXPECT_EQ(fileMode(path("config/acc_database2.dat")), 0600u) << "the link's target lends no mode";
}

TEST_F(FileSafety, ReadsStopOneBytePastTheirBound)
{
    putFileBytes(path("exact"), std::string(4096, 'x'));
    putFileBytes(path("over"), std::string(4097, 'x'));
    const std::tuple<const char*, std::function<void()>, bool> reads[] = {
        {"exact", [&] { readWholeFile(path("exact"), 4096); }, false},
        {"over", [&] { readWholeFile(path("over"), 4096); }, true},
        // /dev/zero claims size 0 and never ends: each file read at start.
        {"settings", [] { loadIniFile("/dev/zero"); }, true},
        {"record file", [] { readRecordFile("/dev/zero"); }, true},
        {"report", [] { loadReportFile("/dev/zero"); }, true},
    };
    for (const auto& [name, read, refused] : reads) {
        if (refused)
            EXPECT_THROW(read(), EFileTooLarge) << name;
        else
            EXPECT_NO_THROW(read()) << name;
    }
}

TEST_F(FileSafety, LeftoversAreRecognisedByTheNameTheWritersGiveThem)
{
    TemporaryFile temporary(path("config"));
    ASSERT_TRUE(temporary.tryCreate());
    EXPECT_TRUE(isTemporaryFileName(std::filesystem::path(temporary.path()).filename().string()));
    setFileAge(temporary.path(), kStaleTemporaryAge + std::chrono::seconds(1));
    EXPECT_EQ(removeStaleTemporaryFiles(home()), 1);
}

} // namespace
} // namespace kestrin::test
