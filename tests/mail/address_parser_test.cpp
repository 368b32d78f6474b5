#include "mail/address_parser.h"
#include "mail/mail_errors.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

void expectAddress(std::string_view text, const char* name, const char* address)
{
    const TIdEMailAddressItem item = parseAddress(text);
    EXPECT_EQ(item.Name, name) << text;
    EXPECT_EQ(item.Address, address) << text;
}

std::string listText(std::string_view text)
{
    return parseAddressList(text).text();
}

TEST(AddressParser, WorkedExamples)
{
    expectAddress("Jan Kowalski <jan@example.com>", "Jan Kowalski", "jan@example.com");
    expectAddress("\"Kowalski, Jan\" <jan@example.com>", "Kowalski, Jan", "jan@example.com");
    expectAddress("jan@example.com (Jan Kowalski)", "", "jan@example.com");
    expectAddress("jan@example.com", "", "jan@example.com");
    expectAddress("  jan@example.com \t", "", "jan@example.com");
}

TEST(AddressParser, NamesQuotesAndComments)
{
    expectAddress("<jan@example.com>", "", "jan@example.com");
    expectAddress("Jan (the boss) <jan@example.com>", "Jan", "jan@example.com");
    expectAddress("\tJan \t Kowalski\t<jan@example.com>", "Jan Kowalski", "jan@example.com");
    expectAddress("\"Say \\\"hi\\\"\" <a@b>", "Say \"hi\"", "a@b");
    expectAddress("Jan <\"jan kowalski\"@example.com>", "Jan", "jan kowalski@example.com");
    expectAddress("< jan@example.com >", "", "jan@example.com");
    expectAddress("<jan(comment)@example.com>", "", "jan@example.com");
    expectAddress("<jan@example.com> (after)", "", "jan@example.com");
}

TEST(AddressParser, WordWithAtSignWithoutBrackets)
{
    expectAddress("Jan Kowalski jan@example.com", "Jan Kowalski", "jan@example.com");
    expectAddress("\"Jan\" jan@example.com trailing", "Jan", "jan@example.com");
    expectAddress("\"jan kowalski\"@example.com", "", "jan kowalski@example.com");
    expectAddress("\"a@b\" c@d", "a@b", "c@d");
    expectAddress("MAILER-DAEMON (Mail Delivery System)", "", "MAILER-DAEMON");
    expectAddress("Undisclosed recipients", "Undisclosed recipients", "");
    expectAddress("\"only a name\"", "only a name", "");
}

TEST(AddressParser, AtSignAfterTheAddressIsAnError)
{
    EXPECT_THROW(parseAddress("<a@b> c@d"), EIdEmailParseError);
    EXPECT_THROW(parseAddress("<a@b>@c"), EIdEmailParseError);
    try {
        parseAddress("Jan <a@b> x@y");
        FAIL() << "no error";
    } catch (const EIdEmailParseError& e) {
        EXPECT_STREQ(e.what(), "@ Outside address");
    }
    EXPECT_NO_THROW(parseAddress("<a@b> (c@d) \"e@f\""));
    EXPECT_THROW(parseAddressList("x@y, <a@b> c@d"), EIdEmailParseError);
}

TEST(AddressParser, ListSplitsOutsideQuotesAndComments)
{
    const TIdEMailAddressList list = parseAddressList("\"Kowalski, Jan\" <jan@example.com>, ola@example.com");
    ASSERT_EQ(list.count(), 2u);
    EXPECT_EQ(list[0].Name, "Kowalski, Jan");
    EXPECT_EQ(list[1].Address, "ola@example.com");
    EXPECT_EQ(listText("a@b (x, (y, z)), c@d"), "a@b, c@d");
    EXPECT_EQ(listText("\"a\\\", b\" <a@b>, c@d"), "\"a\\\", b\" <a@b>, c@d");
    EXPECT_EQ(parseAddressList("Jan <mailto:jan@x>")[0].Address, "mailto:jan@x");
}

TEST(AddressParser, ListDropsGroupNamesAndEmptyItems)
{
    EXPECT_EQ(listText("friends: a@b, c@d;, e@f"), "a@b, c@d, e@f");
    EXPECT_EQ(parseAddressList("undisclosed-recipients:;").count(), 0u);
    EXPECT_EQ(parseAddressList("a@b,, ,\t, c@d,").count(), 2u);
    EXPECT_EQ(parseAddressList("<>, <>").count(), 0u);
    EXPECT_EQ(parseAddressList("   ").count(), 0u);
    EXPECT_EQ(parseAddressList("").count(), 0u);
}

TEST(AddressParser, UnbalancedInputStaysInBounds)
{
    expectAddress("\"unterminated <a@b>", "unterminated <a@b>", "");
    expectAddress("Jan <a@b", "Jan", "a@b");
    expectAddress("a@b (unterminated", "", "a@b");
    expectAddress("a@b ) stray", "", "a@b");
    expectAddress("\\", "", "\\");
    expectAddress("\"\\", "\\", "");
    expectAddress("(\\", "", "");
    EXPECT_EQ(listText("\"a@b, c@d"), "\"a@b, c@d\" <>");
    EXPECT_EQ(listText("(a@b, c@d"), "");
    EXPECT_EQ(listText("a@b\\"), "a@b\\");
    EXPECT_EQ(listText("x) a@b, c@d"), "\"x)\" <a@b>, c@d");
}

TEST(AddressParser, DeepNestingAndLongInput)
{
    const std::string deep = std::string(200000, '(') + "a@b" + std::string(200000, ')');
    EXPECT_EQ(parseAddressList(deep + ", c@d").text(), "c@d");
    expectAddress(deep + " x@y", "", "x@y");
    std::string many;
    for (int i = 0; i < 20000; ++i)
        many += "u" + std::to_string(i) + "@example.com, ";
    const TIdEMailAddressList list = parseAddressList(many);
    ASSERT_EQ(list.count(), 20000u);
    EXPECT_EQ(list[19999].Address, "u19999@example.com");
}

} // namespace
} // namespace kestrin
