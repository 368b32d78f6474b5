#include "mail/file_line_source.h"
#include "mail/string_line_source.h"
#include "mail/transfer_encoding.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

std::vector<std::string> allLines(LineSource& source)
{
    std::vector<std::string> lines;
    std::string line;
    while (source.readLine(line))
        lines.push_back(line);
    return lines;
}

TEST(ReaderLineSource, SplitsAtLfAndRemovesOnlyOneCr)
{
    StringLineSource source(std::string("a\r\nb\nc\r\r\n\r\nlone\rcr\n\0x\nlast", 26));
    EXPECT_EQ(allLines(source),
              (std::vector<std::string>{"a", "b", "c\r", "", "lone\rcr", std::string("\0x", 2), "last"}));
    std::string line = "kept";
    EXPECT_FALSE(source.readLine(line));

    StringLineSource empty("");
    EXPECT_TRUE(allLines(empty).empty());
    StringLineSource oneEnd("\r\n");
    EXPECT_EQ(allLines(oneEnd), (std::vector<std::string>{""}));

    // Decoded text splits the same way, with no empty line after a final line end.
    EXPECT_EQ(splitLines("x\r\ny\n"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(splitLines("x\r\n\r\n"), (std::vector<std::string>{"x", ""}));
    EXPECT_EQ(joinLines({"x", "", "y"}), "x\r\n\r\ny");
}

TEST(ReaderLineSource, FileSourceReadsBinaryAndRefusesMissingFiles)
{
    FileLineSource source;
    ASSERT_TRUE(source.open(std::string(KESTRIN_TEST_DATA) + "/messages/plain-lf.eml"));
    const std::vector<std::string> lines = allLines(source);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines.back(), "Last line without a line end");

    FileLineSource missing;
    EXPECT_FALSE(missing.open(std::string(KESTRIN_TEST_DATA) + "/messages/none.eml"));
    EXPECT_FALSE(missing.open(std::string(KESTRIN_TEST_DATA) + "/messages"));
}

} // namespace
} // namespace kestrin
