// What a hostile local user or careless input can do to the program's files:
// links planted under a file's name, endless files, a permissive umask.
#include "storage/atomic_file.h"
#include "storage/ini_file.h"
#include "storage/record_database.h"
#include "storage/record_test_support.h"
#include "storage/report_file.h"
#include "support/file_checks.h"

#include <functional>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

using FileSafety = ProgramFolderTest;

TEST_F(FileSafety, NoWriterWritesThroughALinkPlantedUnderTheName)
{
    const std::string victim = path("authorized_keys");
    putFileBytes(victim, "ssh-ed25519 AAAA user@host\n");
    ::chmod(victim.c_str(), 0644);
    struct Case {
        const char* writer;
        std::function<void(const std::string&)> write;
        bool linkStays; // refused (the link is left) or replaced by a file of our own
    };
    const Case cases[] = {
        {"replace", [](const std::string& p) { writeFileAtomically(p, "mail text"); }, false},
        {"new file", [](const std::string& p) { EXPECT_FALSE(writeNewFileAtomically(p, "mail text")); }, true},
    };
    for (const Case& c : cases) {
        const std::string planted = path(std::string("config/") + c.writer + ".dat");
        fs::create_symlink(victim, planted);
        c.write(planted);
        EXPECT_EQ(fileBytes(victim), "ssh-ed25519 AAAA user@host\n") << c.writer;
        EXPECT_EQ(fileMode(victim), 0644u) << c.writer;
        EXPECT_EQ(fs::is_symlink(planted), c.linkStays) << c.writer;
        if (!c.linkStays) {
            EXPECT_EQ(fileBytes(planted), "mail text") << c.writer;
            EXPECT_EQ(fileMode(planted), 0600u) << c.writer << ": the link's target lends no mode";
        }
    }
}

TEST_F(FileSafety, ANewFileNeverTakesANameInUse)
{
    const std::string dangling = path("nowhere-written");
    struct Case {
        const char* name;
        std::function<void(const std::string&)> plant; // empty: the name is free
    };
    const Case cases[] = {
        {"free", {}},
        {"file", [](const std::string& p) { putFileBytes(p, "another copy"); }},
        {"folder", [](const std::string& p) { fs::create_directory(p); }},
        {"dangling link", [&](const std::string& p) { fs::create_symlink(dangling, p); }},
    };
    for (const Case& c : cases) {
        const std::string target = path(std::string("config/") + c.name);
        if (c.plant)
            c.plant(target);
        EXPECT_EQ(writeNewFileAtomically(target, "copy"), !c.plant) << c.name;
        if (!c.plant)
            EXPECT_EQ(fileBytes(target), "copy");
        if (std::string(c.name) == "file")
            EXPECT_EQ(fileBytes(target), "another copy");
    }
    EXPECT_FALSE(fs::exists(fs::symlink_status(dangling))) << "a dangling link's target is not created";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder / "config"), {}), 4) << "no temporary file is left";
}

TEST_F(FileSafety, ReadsStopOneBytePastTheirBound)
{
    putFileBytes(path("exact"), std::string(4096, 'x'));
    putFileBytes(path("over"), std::string(4097, 'x'));
    struct Case {
        std::string file;
        size_t bound;
        bool refused;
    };
    const Case cases[] = {
        {path("exact"), 4096, false},
        {path("over"), 4096, true},
        {"/dev/zero", size_t{1} << 20, true}, // claims size 0 and never ends
    };
    for (const Case& c : cases) {
        if (c.refused) {
            EXPECT_THROW(readWholeFile(c.file, c.bound), EFileTooLarge) << c.file;
        } else {
            EXPECT_EQ(readWholeFile(c.file, c.bound).size(), c.bound) << c.file;
        }
    }
    try {
        readWholeFile("/dev/zero", size_t{1} << 20);
    } catch (const EFileTooLarge& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot read /dev/zero: the file is larger than 1 MiB");
    }
}

TEST_F(FileSafety, EveryFileReadAtStartIsBounded)
{
    const std::pair<const char*, std::function<void()>> readers[] = {
        {"settings", [] { loadIniFile("/dev/zero"); }},
        {"record file", [] { readRecordFile("/dev/zero"); }},
        {"report", [] { loadReportFile("/dev/zero"); }},
    };
    for (const auto& [name, read] : readers)
        EXPECT_THROW(read(), EFileTooLarge) << name;
}

TEST_F(FileSafety, FoldersAndFilesArePrivateWhateverTheUmask)
{
    const ScopedUmask open(0);
    const fs::path existing = folder / "shared";
    fs::create_directory(existing);
    ::chmod(existing.c_str(), 0755);

    writeFileAtomically((existing / "a" / "b" / "config" / "options.ini").string(), "[Options]\r\n");
    ensureFolder((existing / "a" / "archive").string());
    for (const char* created : {"a", "a/b", "a/b/config", "a/archive"})
        EXPECT_EQ(fileMode((existing / created).string()), 0700u) << created;
    EXPECT_EQ(fileMode((existing / "a/b/config/options.ini").string()), 0600u);
    EXPECT_EQ(fileMode(existing.string()), 0755u) << "a folder the user made keeps its mode";

    putFileBytes(path("plain"), "x");
    EXPECT_THROW(ensureFolder(path("plain/inside")), EFileError);
    EXPECT_THROW(ensureFolder(""), EFileError);
}

} // namespace
} // namespace kestrin::test
