#include "mail/email_address.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

std::string textOf(const char* name, const char* address)
{
    return TIdEMailAddressItem{name, address}.text();
}

TEST(AddressText, BareAddressAndPlainName)
{
    EXPECT_EQ(textOf("", "jan@example.com"), "jan@example.com");
    EXPECT_EQ(textOf("Jan Kowalski", "jan@example.com"), "Jan Kowalski <jan@example.com>");
    EXPECT_EQ(textOf("O'Brien-Smith", "a@b.pl"), "O'Brien-Smith <a@b.pl>");
    EXPECT_EQ(textOf("", "first.last+tag@example.com"), "first.last+tag@example.com");
}

TEST(AddressText, NameWithOtherCharactersIsQuoted)
{
    EXPECT_EQ(textOf("Kowalski, Jan", "jan@example.com"), "\"Kowalski, Jan\" <jan@example.com>");
    EXPECT_EQ(textOf("Jan Q. Public", "q@example.com"), "\"Jan Q. Public\" <q@example.com>");
    EXPECT_EQ(textOf("Say \"hi\" \\o/", "x@y"), "\"Say \\\"hi\\\" \\\\o/\" <x@y>");
    EXPECT_EQ(textOf("Zam\xF3wienia", "z@y"), "\"Zam\xF3wienia\" <z@y>");
}

TEST(AddressText, LocalPartWithOtherCharactersIsQuotedAndBracketed)
{
    EXPECT_EQ(textOf("", "jan kowalski@example.com"), "<\"jan kowalski\"@example.com>");
    EXPECT_EQ(textOf("", "a\"b@c@example.com"), "<\"a\\\"b@c\"@example.com>");
    EXPECT_EQ(textOf("Jan", "x y@z"), "Jan <\"x y\"@z>");
    EXPECT_EQ(textOf("", "no-at-sign"), "no-at-sign");
    EXPECT_EQ(textOf("", "no at sign"), "<\"no at sign\">");
}

TEST(AddressText, EmptyAddressAndNameRepeatingTheAddress)
{
    EXPECT_EQ(textOf("", ""), "");
    EXPECT_EQ(textOf("Jan", ""), "Jan <>");
    EXPECT_EQ(textOf("JAN@EXAMPLE.COM", "jan@example.com"), "<jan@example.com>");
    EXPECT_EQ(textOf("jan@example.com", "jan@example.com"), "<jan@example.com>");
}

TEST(AddressText, ListJoinsWithCommaAndSpace)
{
    TIdEMailAddressList list;
    EXPECT_EQ(list.text(), "");
    list.add({"", "a@b"});
    EXPECT_EQ(list.text(), "a@b");
    list.add({"Jan, K", "c@d"});
    list.add({"Ola", "e@f"});
    EXPECT_EQ(list.text(), "a@b, \"Jan, K\" <c@d>, Ola <e@f>");
}

} // namespace
} // namespace kestrin
