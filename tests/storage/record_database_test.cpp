#include "record_test_support.h"
#include "storage/record_database.h"
#include "storage/scramble.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::fileBytes;
using test::putFileBytes;

const std::string kSignature = "q4t81ms0d7k2v9w3xb56zp0ac8rf1ye7";

RecordTable sampleTable()
{
    RecordTable table;
    table.columns = {"name", "pass"};
    table.rows = {{"Jan", std::string("p\0\xFF", 3)}, {"", "x"}};
    return table;
}

std::string header(uint16_t version, uint16_t columns)
{
    std::string out = kSignature;
    out += static_cast<char>(version & 0xFF);
    out += static_cast<char>(version >> 8);
    out += static_cast<char>(columns & 0xFF);
    out += static_cast<char>(columns >> 8);
    return out;
}

void expectRefused(std::string_view image)
{
    try {
        decodeRecordImage(image);
        FAIL() << "accepted";
    } catch (const EConfigVersionError& e) {
        EXPECT_EQ(std::string(e.what()), winLiteral("Nieprawidłowa wersja pliku konfiguracji!"));
    }
}

TEST(RecordImage, ByteLayoutIsExact)
{
    const std::string image = encodeRecordImage(sampleTable());
    const std::string expected = header(203, 2) + std::string("\x04\x00name\x04\x00pass", 12) +
                                 std::string("\x02\x00", 2) + std::string("\x03\x00Jan\x03\x00p\0\xFF", 10) +
                                 std::string("\x00\x00\x01\x00x", 5);
    EXPECT_EQ(image, expected);
    // 36 + the names with their lengths + the row count + the values with their lengths.
    EXPECT_EQ(image.size(), 36u + (2 + 4) * 2 + 2 + (2 + 3) * 2 + 2 + 3);
    EXPECT_EQ(image.substr(32, 2), std::string("\xCB\x00", 2)); // version 203, little-endian
}

TEST(RecordImage, DecodeGivesBackWhatWasEncoded)
{
    const RecordTable table = sampleTable();
    const RecordTable back = decodeRecordImage(encodeRecordImage(table));
    EXPECT_EQ(back.version, 203);
    EXPECT_EQ(back.columns, table.columns);
    EXPECT_EQ(back.rows, table.rows);

    RecordTable empty;
    empty.columns = {"name", "mail"};
    const std::string image = encodeRecordImage(empty);
    EXPECT_EQ(image.size(), 36u + 6 + 6 + 2);
    EXPECT_TRUE(decodeRecordImage(image).rows.empty());
    // Bytes after the last row are not interpreted.
    EXPECT_EQ(decodeRecordImage(encodeRecordImage(table) + "junk").rows, table.rows);
}

TEST(RecordImage, RefusesWhatWouldNotFitSixteenBits)
{
    RecordTable wide;
    wide.columns.assign(65535, "c");
    EXPECT_EQ(decodeRecordImage(encodeRecordImage(wide)).columns.size(), 65535u);
    wide.columns.push_back("c");
    EXPECT_THROW(encodeRecordImage(wide), EFileError);

    RecordTable tall;
    tall.rows.assign(65536, {});
    EXPECT_THROW(encodeRecordImage(tall), EFileError);
    tall.rows.pop_back();
    EXPECT_EQ(decodeRecordImage(encodeRecordImage(tall)).rows.size(), 65535u);

    RecordTable longValue;
    longValue.columns = {"str"};
    longValue.rows = {{std::string(65535, 'a')}};
    EXPECT_EQ(decodeRecordImage(encodeRecordImage(longValue)).rows[0][0].size(), 65535u);
    longValue.rows[0][0] += 'a';
    EXPECT_THROW(encodeRecordImage(longValue), EFileError);
    RecordTable longName;
    longName.columns = {std::string(65536, 'n')};
    EXPECT_THROW(encodeRecordImage(longName), EFileError);

    RecordTable ragged = sampleTable();
    ragged.rows[1].pop_back();
    EXPECT_THROW(encodeRecordImage(ragged), EFileError);
}

TEST(RecordImage, SignatureAndVersionDecideRefusal)
{
    std::string image = encodeRecordImage(sampleTable());
    std::string wrongCase = image;
    wrongCase[0] = 'Q';
    expectRefused(wrongCase);
    expectRefused(image.substr(0, 31));
    expectRefused("");
    for (const uint16_t version : std::initializer_list<uint16_t>{204, 255, 65535}) {
        image[32] = static_cast<char>(version & 0xFF);
        image[33] = static_cast<char>(version >> 8);
        expectRefused(image);
    }
    for (const uint16_t version : std::initializer_list<uint16_t>{203, 202, 1, 0}) {
        RecordTable table = sampleTable();
        table.version = version;
        const RecordTable back = decodeRecordImage(encodeRecordImage(table));
        EXPECT_EQ(back.version, version);
        EXPECT_EQ(back.rows, table.rows);
    }
}

TEST(RecordImage, EveryTruncationOfAValidImageIsDamagedOrRefused)
{
    const std::string image = encodeRecordImage(sampleTable());
    for (size_t length = 0; length < image.size(); ++length) {
        SCOPED_TRACE(length);
        if (length < 32)
            EXPECT_THROW(decodeRecordImage(image.substr(0, length)), EConfigVersionError);
        else
            EXPECT_THROW(decodeRecordImage(image.substr(0, length)), EFileError);
    }
}

TEST(RecordImage, HostileCountsAndLengthsAreCaughtBeforeReading)
{
    // 65535 columns announced, none present.
    EXPECT_THROW(decodeRecordImage(header(203, 65535)), EFileError);
    // A name length running past the end.
    EXPECT_THROW(decodeRecordImage(header(203, 1) + std::string("\xFF\xFF"
                                                                "abc",
                                                                5)),
                 EFileError);
    // 65535 rows of three columns announced with a few bytes left.
    const std::string columns = std::string("\x01\x00"
                                            "a\x01\x00"
                                            "b\x01\x00"
                                            "c",
                                            9);
    EXPECT_THROW(decodeRecordImage(header(203, 3) + columns + std::string("\xFF\xFF\x00\x00", 4)), EFileError);
    // No columns: rows cost no bytes, so 65535 of them are a consistent (if odd) table.
    EXPECT_EQ(decodeRecordImage(header(203, 0) + std::string("\xFF\xFF", 2)).rows.size(), 65535u);
    try {
        decodeRecordImage(header(203, 2));
        FAIL() << "accepted";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
}

class RecordFileTest : public test::ProgramFolderTest {};

TEST_F(RecordFileTest, WritesScrambledAndReadsBack)
{
    const std::string file = path("new/config/acc_database2.dat"); // folders are created
    writeRecordFile(file, sampleTable());
    const std::string stored = fileBytes(file);
    std::string plain = encodeRecordImage(sampleTable());
    EXPECT_EQ(stored.size(), plain.size());
    EXPECT_EQ(stored.find(kSignature), std::string::npos);
    scramble("code2", plain);
    EXPECT_EQ(stored, plain);
    const auto back = readRecordFile(file);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->columns, sampleTable().columns);
    EXPECT_EQ(back->rows, sampleTable().rows);
}

TEST_F(RecordFileTest, MissingFileIsNoTableOtherFailuresNameTheFile)
{
    EXPECT_FALSE(readRecordFile(path("config/none.dat")).has_value());
    EXPECT_THROW(readRecordFile(path("config")), EFileError); // a folder where the file should be

    const std::string file = path("config/short.dat");
    std::string image = encodeRecordImage(sampleTable()).substr(0, 40);
    scramble("code2", image);
    putFileBytes(file, image);
    try {
        readRecordFile(file);
        FAIL() << "accepted";
    } catch (const EFileError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("damaged"), std::string::npos) << e.what();
    }
    putFileBytes(file, "not a database at all, certainly not");
    try {
        readRecordFile(file);
        FAIL() << "accepted";
    } catch (const EConfigVersionError& e) {
        EXPECT_EQ(e.path(), file);
    }
}

TEST_F(RecordFileTest, EveryTruncationOfAStoredFileLoadsOrFailsCleanly)
{
    const std::string file = path("config/regs_database2.dat");
    writeRecordFile(file, sampleTable());
    const std::string whole = fileBytes(file);
    for (size_t length = 0; length <= whole.size(); ++length) {
        SCOPED_TRACE(length);
        putFileBytes(file, whole.substr(0, length));
        try {
            const auto table = readRecordFile(file);
            EXPECT_TRUE(table.has_value());
        } catch (const EFileError&) {
        } catch (const EConfigVersionError&) {
        }
    }
    putFileBytes(file, whole);
    EXPECT_EQ(readRecordFile(file)->rows, sampleTable().rows);
}

} // namespace
} // namespace kestrin
