#include "mail/quoted_printable.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(QuotedPrintable, DecodesEscapesAndHardLineBreaks)
{
    EXPECT_EQ(decodeQuotedPrintable("Zam=F3wienie nr 5"), "Zam\xF3wienie nr 5");
    EXPECT_EQ(decodeQuotedPrintable("a=3Db"), "a=b");
    // Lower-case digits are outside the RFC but written by some mailers.
    EXPECT_EQ(decodeQuotedPrintable("=b3=B1"), "\xB3\xB1");
    EXPECT_EQ(decodeQuotedPrintable("one\r\ntwo\nthree"), "one\r\ntwo\r\nthree");
    EXPECT_EQ(decodeQuotedPrintable("last line\r\n"), "last line\r\n");
    EXPECT_EQ(decodeQuotedPrintable(""), "");
}

TEST(QuotedPrintable, SoftBreaksJoinLinesAndTrailingBlanksAreDropped)
{
    EXPECT_EQ(decodeQuotedPrintable("abc=\r\ndef"), "abcdef");
    EXPECT_EQ(decodeQuotedPrintable("abc= \t\r\ndef"), "abcdef");
    EXPECT_EQ(decodeQuotedPrintable("abc=\ndef=\n"), "abcdef");
    EXPECT_EQ(decodeQuotedPrintable("padded  \t\r\nnext"), "padded\r\nnext");
    EXPECT_EQ(decodeQuotedPrintable("kept=20\r\n"), "kept \r\n");
    EXPECT_EQ(decodeQuotedPrintable("ends in soft break="), "ends in soft break");
}

TEST(QuotedPrintable, MalformedEscapesAreCopiedThrough)
{
    EXPECT_EQ(decodeQuotedPrintable("100=G1"), "100=G1");
    EXPECT_EQ(decodeQuotedPrintable("x=4"), "x=4");
    EXPECT_EQ(decodeQuotedPrintable("=4\r\n"), "=4\r\n");
    EXPECT_EQ(decodeQuotedPrintable("a = b"), "a = b");
    EXPECT_EQ(decodeQuotedPrintable("=\xF3\xF3"), "=\xF3\xF3");
    EXPECT_EQ(decodeQuotedPrintable("=="), "=");
}

TEST(QuotedPrintable, EncoderEscapesWrapsAndRoundTrips)
{
    EXPECT_EQ(encodeQuotedPrintable("Zam\xF3wienie"), "Zam=F3wienie");
    EXPECT_EQ(encodeQuotedPrintable("a=b"), "a=3Db");
    EXPECT_EQ(encodeQuotedPrintable("tail \r\nnext\t"), "tail=20\r\nnext=09");
    EXPECT_EQ(encodeQuotedPrintable("a\nb\n"), "a\r\nb\r\n");

    std::string all;
    for (int round = 0; round < 3; ++round) {
        for (int b = 0; b < 256; ++b) {
            if (b != '\n' && b != '\r')
                all += static_cast<char>(b);
        }
    }
    all += "\r\nsecond line with a trailing blank \r\n";
    const std::string encoded = encodeQuotedPrintable(all);
    EXPECT_EQ(decodeQuotedPrintable(encoded), all);
    size_t start = 0;
    while (start < encoded.size()) {
        size_t end = encoded.find("\r\n", start);
        if (end == std::string::npos)
            end = encoded.size();
        EXPECT_LE(end - start, 76u);
        start = end + 2;
    }
}

} // namespace
} // namespace kestrin
