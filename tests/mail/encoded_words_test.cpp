#include "mail/encoded_words.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(EncodedWords, QualifiedCharsetsAreDecodedToTheirBytes)
{
    EXPECT_EQ(decodeEncodedWords("=?ISO-8859-2?Q?Zam=F3wienie_nr_5?="), "Zam\xF3wienie nr 5");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-2?q?Zam=f3wienie?="), "Zam\xF3wienie");
    EXPECT_EQ(decodeEncodedWords("=?windows-1250?B?UG9sc2th?="), "Polska");
    EXPECT_EQ(decodeEncodedWords("=?KOI8-R?b?878=?="), "\xF3\xBF");
    EXPECT_EQ(decodeEncodedWords("Re: =?iso-8859-1?q?caf=E9?= ok"), "Re: caf\xE9 ok");
    EXPECT_EQ(decodeEncodedWords("=?ISO-8859-1*pl?Q?a?="), "a");
}

TEST(EncodedWords, OtherCharsetsStayAsReceived)
{
    EXPECT_EQ(decodeEncodedWords("=?UTF-8?Q?Zam=C3=B3wienie?="), "=?UTF-8?Q?Zam=C3=B3wienie?=");
    EXPECT_EQ(decodeEncodedWords("=?utf-8?b?UG9sc2th?= =?utf-8?b?UG9sc2th?="),
              "=?utf-8?b?UG9sc2th?= =?utf-8?b?UG9sc2th?=");
    EXPECT_EQ(decodeEncodedWords("=?us-ascii?q?x?= =?iso-8859-1?q?y?="), "=?us-ascii?q?x?= y");
    EXPECT_EQ(decodeEncodedWords("plain text"), "plain text");
}

TEST(EncodedWords, BlanksBetweenAdjacentWordsAreRemoved)
{
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-2?q?Zam=F3?= =?iso-8859-2?q?wienie?="), "Zam\xF3wienie");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a?=\t \t=?iso-8859-1?q?b?==?iso-8859-1?q?c?="), "abc");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a?= x =?iso-8859-1?q?b?="), "a x b");
    EXPECT_EQ(decodeEncodedWords("  =?iso-8859-1?q?a?=  tail"), "  a  tail");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a?= =?utf-8?q?b?= =?iso-8859-1?q?c?="), "a =?utf-8?q?b?= c");
}

TEST(EncodedWords, QAndBase64Details)
{
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?Q?a=3Db=3d_=ZZ=4?="), "a=b= =ZZ=4");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?X?UG9sc2th?="), "Polska");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?B?UG9sc2t?="), "Pol");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?"
                                 "?="),
              ""); // split: "??=" is a trigraph
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?what?=?="), "what?=");
}

TEST(EncodedWords, NulBytesAreRemoved)
{
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a=00b?="), "ab");
    EXPECT_EQ(decodeEncodedWords(std::string("x\0y", 3)), "xy");
}

TEST(EncodedWords, DecodedLineEndsCannotStartNewHeaderLines)
{
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?q?a=0D=0ABcc:_x@y?="), "a  Bcc: x@y");
    EXPECT_EQ(decodeEncodedWords("=?iso-8859-1?b?YQ0KQmNjOiB4QHk=?="), "a  Bcc: x@y");
    const std::string decoded = decodeEncodedWords("=?windows-1250?q?=0A=0D=0A?=");
    EXPECT_EQ(decoded, "   ");
}

TEST(EncodedWords, Iso2022JpBecomesShiftJis)
{
    EXPECT_EQ(decodeEncodedWords("=?ISO-2022-JP?B?GyRCJCIbKEI=?="), "\x82\xA0");
    EXPECT_EQ(iso2022JpToShiftJis("a\x1B$B!!\x1B(Bb"), "a\x81\x40"
                                                       "b");
    EXPECT_EQ(iso2022JpToShiftJis("\x1B$B~~"), "\xEF\xFC");
    EXPECT_EQ(iso2022JpToShiftJis("\x1B(I1\x1B(B1"), "\xB1"
                                                     "1");
    EXPECT_EQ(iso2022JpToShiftJis("\x1B$B$"), "$");
    EXPECT_EQ(iso2022JpToShiftJis("\x1B$"), "\x1B$");
}

TEST(EncodedWords, MalformedWordsStayAsReceived)
{
    for (const char* text : {"=?", "=?iso-8859-1", "=?iso-8859-1?q", "=?iso-8859-1?q?abc", "=??q?abc?=",
                             "=?iso 8859?q?a?=", "=?iso-8859-1?qq?a?=", "=?=?=?=?", "?=?=", "=?iso-8859-1??a?="})
        EXPECT_EQ(decodeEncodedWords(text), text);
    EXPECT_EQ(decodeEncodedWords("=?=?iso-8859-1?q?a?="), "=?a");
}

TEST(EncodedWords, ManyWordsDecodeInOnePass)
{
    std::string value;
    for (int i = 0; i < 20000; ++i)
        value += "=?iso-8859-2?q?a=F3?= ";
    const std::string decoded = decodeEncodedWords(value);
    ASSERT_EQ(decoded.size(), 40001u);
    EXPECT_EQ(decoded.substr(0, 4), "a\xF3"
                                    "a\xF3");
    EXPECT_EQ(decoded.back(), ' ');

    std::string strays;
    for (int i = 0; i < 20000; ++i)
        strays += "=?" + std::string(70, 'a');
    EXPECT_EQ(decodeEncodedWords(strays), strays);
    const std::string longCharset = "=?" + std::string(100000, 'a') + "?q?x?=";
    EXPECT_EQ(decodeEncodedWords(longCharset), longCharset);
}

} // namespace
} // namespace kestrin
