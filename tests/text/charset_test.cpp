#include "text/cp1250.h"
#include "text/iso8859_2.h"
#include "text/utf16.h"
#include "text/utf8_check.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrin {
namespace {

TEST(Utf8Check, WellFormedAndMalformedSequences)
{
    struct Case {
        std::string bytes;
        bool valid;
    };
    const Case cases[] = {
        {"", true},
        {"plain ascii", true},
        {"Zażółć gęślą jaźń", true},
        {"\xF0\x9F\x98\x80", true},     // U+1F600, four bytes
        {"\xA3ukasz", false},           // Windows-1250 "Łukasz"
        {"\xC5", false},                // lead byte at the end
        {"\xC5\x81\xC5", false},        // a whole letter, then a cut one
        {"\xC0\xAF", false},            // overlong '/'
        {"\xE0\x80\xAF", false},        // overlong, three bytes
        {"\xED\xA0\x80", false},        // a surrogate
        {"\xF4\x90\x80\x80", false},    // past U+10FFFF
        {"\x80", false},                // a lone continuation byte
        {"\xE2\x82", false},            // a cut euro sign
        {std::string("a\0b", 3), true}, // NUL is ASCII
    };
    for (const auto& c : cases)
        EXPECT_EQ(isValidUtf8(c.bytes), c.valid) << c.bytes;
}

TEST(Iso88592, PolishLettersLandOnTheirWindows1250Bytes)
{
    // ISO-8859-2 "Ąą Śś Źź Łł Żż Ćć Ęę Ńń Óó" and the same text in Windows-1250.
    const std::string latin2 = "\xA1\xB1 \xA6\xB6 \xAC\xBC \xA3\xB3 \xAF\xBF \xC6\xE6 \xCA\xEA \xD1\xF1 \xD3\xF3";
    EXPECT_EQ(iso88592ToCp1250(latin2), winLiteral("Ąą Śś Źź Łł Żż Ćć Ęę Ńń Óó"));
}

TEST(Iso88592, LettersTheCodePagesPlaceDifferently)
{
    EXPECT_EQ(cp1250ToUtf8(iso88592ToCp1250("\xA9\xB9\xAB\xBB\xAE\xBE\xA5\xB5\xB7\xFF")), "ŠšŤťŽžĽľˇ˙");
    EXPECT_EQ(iso88592ToCp1250("\x85\x81"), "?\x81"); // a C1 control without a Windows-1250 byte; 0x81 has one
    EXPECT_EQ(iso88592ToCp1250("abc\xC0\xFE"), "abc\xC0\xFE");
}

TEST(Utf16, BothByteOrdersSurrogatePairsAndDamage)
{
    struct Case {
        std::string bytes;
        bool littleEndian;
        std::string utf8;
    };
    const Case cases[] = {
        {std::string("A\0\x41\x01", 4), true, "AŁ"},
        {std::string("\0A\x01\x41", 4), false, "AŁ"},
        {std::string("\x3D\xD8\x00\xDE", 4), true, "\xF0\x9F\x98\x80"}, // U+1F600 as a surrogate pair
        {std::string("\x3D\xD8"
                     "A\0",
                     4),
         true,
         "\xEF\xBF\xBD"
         "A"},                                              // a high surrogate alone
        {std::string("\x00\xDE", 2), true, "\xEF\xBF\xBD"}, // a low surrogate alone
        {std::string("A\0B", 3), true, "A\xEF\xBF\xBD"},    // an odd final byte
        {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(utf16ToUtf8(c.bytes, c.littleEndian), c.utf8) << c.utf8;
}

} // namespace
} // namespace kestrin
