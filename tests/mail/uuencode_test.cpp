#include "mail/uuencode.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(Uuencode, BeginLineNeedsModeDigitsAndName)
{
    std::string name;
    EXPECT_TRUE(parseUuencodeBegin("begin 644 report.txt", name));
    EXPECT_EQ(name, "report.txt");
    EXPECT_TRUE(parseUuencodeBegin("begin 0644 two words.doc  ", name));
    EXPECT_EQ(name, "two words.doc");

    name = "unchanged";
    EXPECT_FALSE(parseUuencodeBegin("begin 644", name));
    EXPECT_FALSE(parseUuencodeBegin("begin 644 ", name));
    EXPECT_FALSE(parseUuencodeBegin("begin 64 x", name));
    EXPECT_FALSE(parseUuencodeBegin("begin 64444 x", name));
    EXPECT_FALSE(parseUuencodeBegin("begin 689 x", name));
    EXPECT_FALSE(parseUuencodeBegin("beginning 644 x", name));
    EXPECT_FALSE(parseUuencodeBegin("Begin 644 x", name));
    EXPECT_EQ(name, "unchanged");

    EXPECT_TRUE(isUuencodeEnd("end"));
    EXPECT_TRUE(isUuencodeEnd("end  "));
    EXPECT_FALSE(isUuencodeEnd("the end"));
    EXPECT_FALSE(isUuencodeEnd("endless"));
}

TEST(Uuencode, DataLinesDecodeByTheirLengthCharacter)
{
    std::string out;
    decodeUuencodeLine("#0V%T", out);
    EXPECT_EQ(out, "Cat");

    out.clear();
    decodeUuencodeLine(".2&5L;&\\L('=O<FQD(0H ", out);
    EXPECT_EQ(out, "Hello, world!\n");

    out.clear();
    decodeUuencodeLine("M  $\" P0%!@<(\"0H+# T.#Q 1$A,4%187&!D:&QP='A\\@(2(C)\"4F)R@I*BLL", out);
    ASSERT_EQ(out.size(), 45u);
    for (int i = 0; i < 45; ++i)
        EXPECT_EQ(static_cast<unsigned char>(out[static_cast<size_t>(i)]), i);

    // "`" and an empty line carry no bytes.
    out.clear();
    decodeUuencodeLine("`", out);
    decodeUuencodeLine("", out);
    EXPECT_EQ(out, "");
}

TEST(Uuencode, TruncatedLinesNeverReadPastTheirEnd)
{
    std::string out;
    decodeUuencodeLine("M", out);
    EXPECT_EQ(out, std::string(45, '\0'));

    out.clear();
    decodeUuencodeLine("#0V", out);
    EXPECT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0], 'C');

    EXPECT_TRUE(isUuencodeDataLine("#0V%T"));
    EXPECT_TRUE(isUuencodeDataLine("`"));
    EXPECT_FALSE(isUuencodeDataLine(""));
    EXPECT_FALSE(isUuencodeDataLine("hello world"));
    EXPECT_FALSE(isUuencodeDataLine("M short"));
}

TEST(Uuencode, BlockSkipsToBeginAndStopsAtEnd)
{
    std::string name;
    const std::vector<std::string> lines{"some text", "begin 600 cat.txt", "#0V%T", "`", "end", "#0V%T"};
    EXPECT_EQ(decodeUuencodeBlock(lines, name), "Cat");
    EXPECT_EQ(name, "cat.txt");

    name.clear();
    EXPECT_EQ(decodeUuencodeBlock({"#0V%T", "#0V%T"}, name), "CatCat");
    EXPECT_EQ(name, "");
}

} // namespace
} // namespace kestrin
