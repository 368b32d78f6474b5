// The archive's first free number, read from one listing of the folder.
#include "engine/archive_file.h"
#include "storage/atomic_file.h"
#include "storage/record_test_support.h"

#include <functional>
#include <utility>

namespace kestrin::test {
namespace {

using ArchiveFile = ProgramFolderTest;

TEST_F(ArchiveFile, FirstFreeNumberSkipsOnlyCopiesNamedExactly)
{
    const std::string archive = archiveFolder(home());
    EXPECT_EQ(firstFreeArchivePath(archive), archive + "/message - 0.txt") << "no folder yet";
    ensureFolder(archive);
    EXPECT_EQ(firstFreeArchivePath(archive), archive + "/message - 0.txt");
    for (const char* name :
         {"message - 0.txt", "message - 1.txt", "message - 3.txt", "message - 99999999999999999.txt"})
        putFileBytes(archive + "/" + name, "x");
    EXPECT_EQ(firstFreeArchivePath(archive), archive + "/message - 2.txt");
    // Names that only look like copies do not take a number.
    for (const char* name : {"message - 02.txt", "message - 2.txt.bak", "Message - 2.txt", "message - 2x.txt",
                             "message - .txt", "message - 1234567890123456789012.txt"})
        putFileBytes(archive + "/" + name, "x");
    EXPECT_EQ(firstFreeArchivePath(archive), archive + "/message - 2.txt");
    // A folder of that name does.
    std::filesystem::create_directory(archive + "/message - 2.txt");
    EXPECT_EQ(firstFreeArchivePath(archive), archive + "/message - 4.txt");
}

TEST_F(ArchiveFile, CopiesFillTheGapsInOrderAndAFileInPlaceOfTheFolderFails)
{
    const std::string message = path("~message.txt");
    putFileBytes(message, "Subject: kopia\r\n\r\ntresc\r\n.\r\n");
    ensureFolder(archiveFolder(home()));
    putFileBytes(archiveFolder(home()) + "/message - 1.txt", "stara");
    EXPECT_EQ(archiveMessageFile(home(), message), archiveFolder(home()) + "/message - 0.txt");
    EXPECT_EQ(archiveMessageFile(home(), message), archiveFolder(home()) + "/message - 2.txt");
    EXPECT_EQ(fileBytes(archiveFolder(home()) + "/message - 2.txt"), fileBytes(message));
    EXPECT_EQ(fileBytes(archiveFolder(home()) + "/message - 1.txt"), "stara");

    std::filesystem::remove_all(archiveFolder(home()));
    putFileBytes(archiveFolder(home()), "a file where the folder belongs");
    EXPECT_THROW(firstFreeArchivePath(archiveFolder(home())), EFileError);
    EXPECT_THROW(archiveMessageFile(home(), message), EFileError);
}

// The name is chosen from a listing and taken later; whatever appears under it
// in between (another Kestrin's copy, a planted link) is left as it is.
TEST_F(ArchiveFile, ANameTakenAfterTheListingIsNeitherReplacedNorWrittenThrough)
{
    const std::string message = path("~message.txt");
    putFileBytes(message, "Subject: kopia\r\n\r\ntresc\r\n.\r\n");
    const std::string victim = path("authorized_keys");
    putFileBytes(victim, "ssh-ed25519 AAAA user@host\n");
    const std::string archive = archiveFolder(home());
    struct Case {
        const char* planted;
        std::function<void(const std::string&)> plant;
    };
    const Case cases[] = {
        {"another copy", [](const std::string& p) { putFileBytes(p, "another Kestrin's copy"); }},
        {"link", [&](const std::string& p) { std::filesystem::create_symlink(victim, p); }},
    };
    for (const Case& c : cases) {
        std::filesystem::remove_all(archive);
        const std::string first = archive + "/message - 0.txt";
        bool planted = false;
        setBeforeRenameHookForTests([&](const std::string&) {
            if (!std::exchange(planted, true))
                c.plant(first);
        });
        EXPECT_EQ(archiveMessageFile(home(), message), archive + "/message - 1.txt") << c.planted;
        setBeforeRenameHookForTests(nullptr);
        EXPECT_EQ(fileBytes(archive + "/message - 1.txt"), fileBytes(message)) << c.planted;
        EXPECT_EQ(fileBytes(victim), "ssh-ed25519 AAAA user@host\n") << c.planted;
    }
    EXPECT_EQ(fileBytes(archive + "/message - 0.txt"), fileBytes(victim)) << "the link still leads where it did";
    EXPECT_TRUE(std::filesystem::is_symlink(archive + "/message - 0.txt"));
}

} // namespace
} // namespace kestrin::test
