#include "engine/message_identity.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(MessageIdentity, Rfc1321TestSuite)
{
    EXPECT_EQ(md5Hex(""), "d41d8cd98f00b204e9800998ecf8427e");
    EXPECT_EQ(md5Hex("a"), "0cc175b9c0f1b6a831c399e269772661");
    EXPECT_EQ(md5Hex("abc"), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(md5Hex("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
    EXPECT_EQ(md5Hex("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
    EXPECT_EQ(md5Hex("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
              "d174ab98d277d9f5a5611c2c9f419d9f");
    EXPECT_EQ(md5Hex("12345678901234567890123456789012345678901234567890123456789012345678901234567890"),
              "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(MessageIdentity, DigestOfTheFiveTextsJoinedWithoutSeparators)
{
    const std::string identity =
        messageIdentity("<1@x>", "2024-01-02 / 03:04:05", "Jan", "jan@example.com", "Temat \xB9");
    EXPECT_EQ(identity, md5Hex("<1@x>2024-01-02 / 03:04:05Janjan@example.comTemat \xB9"));
    EXPECT_EQ(identity.size(), 32u);
    EXPECT_EQ(identity.find_first_not_of("0123456789abcdef"), std::string::npos);
    EXPECT_EQ(messageIdentity("", "", "", "", ""), "d41d8cd98f00b204e9800998ecf8427e");
    // Embedded NUL bytes are part of the digest.
    EXPECT_NE(md5Hex(std::string("a\0b", 3)), md5Hex("ab"));
}
