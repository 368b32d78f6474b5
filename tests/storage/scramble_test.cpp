#include "storage/scramble.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(Scramble, WorkedExampleBothWays)
{
    std::string buffer = "\x61\x62\x63"; // length 3, so k = 19
    scramble("code2", buffer);
    EXPECT_EQ(buffer, "\xD6\xD8\x63");
    scramble("decode2", buffer);
    EXPECT_EQ(buffer, "abc");
}

TEST(Scramble, DecodeUndoesCodeForEveryLengthAndWrapsModulo256)
{
    for (size_t length = 0; length < 70; ++length) {
        std::string plain;
        for (size_t i = 0; i < length; ++i)
            plain += static_cast<char>(0xFF - i * 7); // high bytes force wrap-around
        std::string buffer = plain;
        scramble("code2", buffer);
        if (length >= 2) {
            EXPECT_NE(buffer, plain) << length;
        }
        scramble("decode2", buffer);
        EXPECT_EQ(buffer, plain) << length;
    }
}

TEST(Scramble, KeyDependsOnLength)
{
    // "ab" scrambled alone (k = 18) differs from "ab" as the start of "abc" (k = 19).
    std::string two = "ab";
    scramble("code2", two);
    EXPECT_EQ(two, std::string("\xD5") + "b"); // 0x61 + 0x62 + 18 = 0x1D5
    // Unscrambling with a different length does not give back the plain bytes.
    std::string buffer = "abcdef";
    scramble("code2", buffer);
    std::string longer = buffer + "x";
    scramble("decode2", longer);
    EXPECT_NE(longer.substr(0, 6), "abcdef");
}

TEST(Scramble, ShortBuffersAndOtherModesStayUnchanged)
{
    std::string one = "\x7F";
    scramble("code2", one);
    EXPECT_EQ(one, "\x7F");
    scramble("decode2", one);
    EXPECT_EQ(one, "\x7F");
    std::string empty;
    scramble("code2", empty);
    EXPECT_EQ(empty, "");
    for (const char* mode : {"CODE2", "code", "decode2 ", "", "code3"}) {
        std::string buffer = "abc";
        scramble(mode, buffer);
        EXPECT_EQ(buffer, "abc") << mode;
    }
}

} // namespace
} // namespace kestrin
