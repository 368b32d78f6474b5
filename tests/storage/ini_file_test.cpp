#include "storage/atomic_file.h"
#include "storage/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace kestrin {
namespace {

TEST(IniFile, NamesIgnoreAsciiCaseAndTheFirstOccurrenceWins)
{
    const IniFile ini = IniFile::parse("Orphan=before any section\n"
                                       "[Options]\n"
                                       "Min=4\n"
                                       "min=9\n"
                                       "  MaxRep  =  12  \n"
                                       "no equals sign here\n"
                                       ";Sek=3\n"
                                       "Path=C:\\a=b\n"
                                       "Quoted=\"x y\"\n"
                                       "=nameless\n"
                                       "[OPTIONS]\n"
                                       "Sek=5\n"
                                       "[\xA5] \n"
                                       "k=upper\n"
                                       "[\xB9]\n"
                                       "k=lower\n");
    EXPECT_EQ(ini.value("options", "MIN"), "4");
    EXPECT_EQ(ini.value("Options", "MaxRep"), "12");
    EXPECT_EQ(ini.value("Options", "Path"), "C:\\a=b");
    EXPECT_EQ(ini.value("Options", "Quoted"), "\"x y\""); // no unquoting
    EXPECT_EQ(ini.value("Options", "Orphan"), std::nullopt);
    EXPECT_EQ(ini.value("Options", "no equals sign here"), std::nullopt);
    EXPECT_EQ(ini.value("Options", ";Sek"), std::nullopt);
    EXPECT_EQ(ini.value("Options", "Sek"), std::nullopt); // a repeated section is never searched
    EXPECT_EQ(ini.value("Options", ""), std::nullopt);
    // Only A-Z fold: the Windows-1250 letters A-ogonek (A5) and a-ogonek (B9) name different sections.
    EXPECT_EQ(ini.value("\xA5", "K"), "upper");
    EXPECT_EQ(ini.value("\xB9", "k"), "lower");
    EXPECT_EQ(ini.value("Missing", "Min"), std::nullopt);
}

TEST(IniFile, AcceptsLfAndCrLfAndWritesCrLf)
{
    EXPECT_EQ(IniFile::parse("").serialize(), "");
    EXPECT_EQ(IniFile::parse("[a]\nx=1\r\n; note\n").serialize(), "[a]\r\nx=1\r\n; note\r\n");
    EXPECT_EQ(IniFile::parse("[a]\r\nx=1").serialize(), "[a]\r\nx=1\r\n"); // last line without an end
    EXPECT_EQ(IniFile::parse("\n\n").serialize(), "\r\n\r\n");
    const IniFile mixed = IniFile::parse("[a]\r\nx=1\r\ny=2\n");
    EXPECT_EQ(mixed.value("a", "x"), "1");
    EXPECT_EQ(mixed.value("a", "y"), "2");
    // A CR inside a line is data, not a line end.
    EXPECT_EQ(IniFile::parse("[a]\nx=1\r2\n").value("a", "x"), "1\r2");
}

TEST(IniFile, SetValueChangesInPlaceOrAppendsWhereWindowsWould)
{
    IniFile ini = IniFile::parse("; settings\r\n"
                                 "[Options]\r\n"
                                 "MIN = 4\r\n"
                                 "Sek=0\r\n"
                                 "; trailing comment\r\n"
                                 "\r\n"
                                 "[Other]\r\n"
                                 "x=1\r\n"
                                 "[options]\r\n"
                                 "Min=8\r\n");
    ini.setValue("options", "Min", "7");
    ini.setValue("Options", "Sek", "0");     // unchanged: line kept as it is
    ini.setValue("Options", "AccWait", "2"); // after the last key line, before comment and blank line
    ini.setValue("Stats", "CheckMsg", "5");  // new section at the end, after a blank line
    ini.setValue("Stats", "DelMsg", "1");
    EXPECT_EQ(ini.serialize(), "; settings\r\n"
                               "[Options]\r\n"
                               "MIN = 7\r\n"
                               "Sek=0\r\n"
                               "AccWait=2\r\n"
                               "; trailing comment\r\n"
                               "\r\n"
                               "[Other]\r\n"
                               "x=1\r\n"
                               "[options]\r\n"
                               "Min=8\r\n"
                               "\r\n"
                               "[Stats]\r\n"
                               "CheckMsg=5\r\n"
                               "DelMsg=1\r\n");
    EXPECT_EQ(ini.value("OPTIONS", "accwait"), "2");

    IniFile empty;
    empty.setValue("Options", "A", "1");
    EXPECT_EQ(empty.serialize(), "[Options]\r\nA=1\r\n");

    IniFile headerOnly = IniFile::parse("[Options]\n; only a comment\n");
    headerOnly.setValue("Options", "A", "1");
    EXPECT_EQ(headerOnly.serialize(), "[Options]\r\nA=1\r\n; only a comment\r\n");
}

TEST(IniFile, WrittenValuesCannotBreakTheFileIntoNewKeys)
{
    IniFile ini;
    ini.setValue("Options", "SMTPHost", "mail.example.pl\r\n[Options]\nMin=0");
    EXPECT_EQ(ini.value("Options", "SMTPHost"), "mail.example.pl  [Options] Min=0");
    const IniFile reread = IniFile::parse(ini.serialize());
    EXPECT_EQ(reread.value("Options", "SMTPHost"), "mail.example.pl  [Options] Min=0");
    EXPECT_EQ(reread.value("Options", "Min"), std::nullopt);
}

TEST(IniFile, TypedReadersFallBackOnAnythingButTheirOwnForm)
{
    const IniFile ini = IniFile::parse("[s]\n"
                                       "plain=42\n"
                                       "negative=-7\n"
                                       "plus=+3\n"
                                       "suffix=12abc\n"
                                       "hex=0x10\n"
                                       "delphiHex=$10\n"
                                       "huge=2147483648\n"
                                       "empty=\n"
                                       "word=True\n"
                                       "zero=0\n"
                                       "minusOne=-1\n"
                                       "two=2\n"
                                       "polish=Za\xBF\xF3\xB3\xE6\n");
    EXPECT_EQ(ini.readInteger("s", "plain", 5), 42);
    EXPECT_EQ(ini.readInteger("s", "negative", 5), -7);
    EXPECT_EQ(ini.readInteger("s", "plus", 5), 3);
    for (const char* key : {"suffix", "hex", "delphiHex", "huge", "empty", "word", "missing"})
        EXPECT_EQ(ini.readInteger("s", key, 5), 5) << key;

    EXPECT_FALSE(ini.readBool("s", "zero", true));
    EXPECT_TRUE(ini.readBool("s", "minusOne", false));
    EXPECT_TRUE(ini.readBool("s", "two", false));
    for (const char* key : {"word", "empty", "missing", "suffix"}) {
        EXPECT_TRUE(ini.readBool("s", key, true)) << key;
        EXPECT_FALSE(ini.readBool("s", key, false)) << key;
    }

    EXPECT_EQ(ini.readText("s", "missing", "default"), "default");
    EXPECT_EQ(ini.readText("s", "empty", "default"), "");
    EXPECT_EQ(ini.readText("s", "polish", ""), "Za\xBF\xF3\xB3\xE6");

    IniFile written;
    written.writeInteger("s", "i", -2147483647 - 1);
    written.writeBool("s", "t", true);
    written.writeBool("s", "f", false);
    written.writeText("s", "x", "\xA5\xB9");
    EXPECT_EQ(written.serialize(), "[s]\r\ni=-2147483648\r\nt=1\r\nf=0\r\nx=\xA5\xB9\r\n");
}

TEST(IniFile, HostileInputParsesInLinearTime)
{
    // 200000 keys in one section, 200000 sections and one 8 MB line: a
    // quadratic lookup or insertion would not finish in the test's lifetime.
    std::string manyKeys = "[s]\n";
    for (int i = 0; i < 200000; ++i)
        manyKeys += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
    IniFile keys = IniFile::parse(manyKeys);
    EXPECT_EQ(keys.value("S", "K199999"), "199999");
    for (int i = 0; i < 1000; ++i)
        keys.setValue("s", "new" + std::to_string(i), "v");
    EXPECT_EQ(keys.value("s", "new999"), "v");

    std::string manySections;
    for (int i = 0; i < 200000; ++i)
        manySections += "[s" + std::to_string(i) + "]\n";
    IniFile sections = IniFile::parse(manySections);
    sections.setValue("s100000", "k", "v");
    EXPECT_EQ(sections.value("S100000", "K"), "v");

    const std::string longValue(8 * 1024 * 1024, 'x');
    const IniFile longLine = IniFile::parse("[s]\nk=" + longValue + "\n" + std::string(1 << 20, '['));
    EXPECT_EQ(longLine.value("s", "k")->size(), longValue.size());
}

class IniFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder =
            std::filesystem::temp_directory_path() / ("kestrin-ini-" + std::to_string(::getpid()) + "-" +
                                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
    }
    void TearDown() override
    {
        setBeforeRenameHookForTests(nullptr);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path folder;
};

TEST_F(IniFileOnDisk, MissingFileIsEmptyAndUnreadableFileFails)
{
    EXPECT_EQ(loadIniFile((folder / "config" / "options.ini").string()).serialize(), "");
    std::filesystem::create_directories(folder / "config" / "options.ini"); // a folder where the file should be
    EXPECT_THROW(loadIniFile((folder / "config" / "options.ini").string()), EFileError);
}

TEST_F(IniFileOnDisk, SavedFileReadsBackAndAFailedSaveLeavesTheOldOne)
{
    const std::string path = (folder / "config" / "options.ini").string();
    IniFile ini = IniFile::parse("[Options]\nMin=4\n");
    saveIniFile(path, ini); // creates the missing config folder
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nMin=4\r\n");
    EXPECT_EQ(loadIniFile(path).value("Options", "Min"), "4");

    ini.setValue("Options", "Min", "9");
    setBeforeRenameHookForTests([](const std::string&) { throw EFileError("simulated crash"); });
    EXPECT_THROW(saveIniFile(path, ini), EFileError);
    EXPECT_EQ(readWholeFile(path), "[Options]\r\nMin=4\r\n");
}

} // namespace
} // namespace kestrin
