// The archive's first free number, read from one listing of the folder.
#include "engine/archive_file.h"
#include "storage/atomic_file.h"
#include "storage/record_test_support.h"

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

} // namespace
} // namespace kestrin::test
