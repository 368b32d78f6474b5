#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::crlfLines;
using test::readBodyText;

TEST(BodySinglePart, MimeBase64BodyIsDecodedIntoLines)
{
    TIdMessage message;
    message.encoding = TIdMessageEncoding::Mime;
    message.contentTransferEncoding = "base64";
    // "Dzień dobry,\r\nzamówienie wysłane.\r\n" in ISO-8859-2, split over two lines.
    readBodyText(message, crlfLines({"RHppZfEgZG9icnksDQp6YW3z", "d2llbmllIHd5c7NhbmUuDQo=", ".", "not body"}));
    ASSERT_EQ(message.Body.size(), 2u);
    EXPECT_EQ(message.Body[0], "Dzie\xF1 dobry,");
    EXPECT_EQ(message.Body[1], "zam\xF3wienie wys\xB3"
                               "ane.");
    EXPECT_TRUE(message.parts.empty());
}

TEST(BodySinglePart, PlainQuotedPrintableBodyIgnoresCaseOfTheEncoding)
{
    TIdMessage message;
    message.contentTransferEncoding = "Quoted-Printable";
    readBodyText(message,
                 crlfLines({"Zam=F3wienie nr 5 zosta=B3o wys=", "=B3ane.", "", "..kropka", "=3D koniec", "."}));
    ASSERT_EQ(message.Body.size(), 4u);
    EXPECT_EQ(message.Body[0], "Zam\xF3wienie nr 5 zosta\xB3o wys\xB3"
                               "ane.");
    EXPECT_EQ(message.Body[1], "");
    EXPECT_EQ(message.Body[2], ".kropka");
    EXPECT_EQ(message.Body[3], "= koniec");
}

TEST(BodySinglePart, MimeWithoutBoundaryKeepsIdentityLinesAndStopsAtTheDotLine)
{
    TIdMessage message;
    message.encoding = TIdMessageEncoding::Mime;
    message.contentType = "text/plain";
    message.contentTransferEncoding = "8bit";
    StringLineSource source(crlfLines({"first", "..second", ".third", "", ".", "after the answer"}));
    readMessageBody(message, source);
    EXPECT_EQ(message.Body, (std::vector<std::string>{"first", ".second", "third", ""}));
    std::string next;
    ASSERT_TRUE(source.readLine(next));
    EXPECT_EQ(next, "after the answer");
}

TEST(BodySinglePart, PlainBodyWithOtherEncodingIsReadLineByLine)
{
    TIdMessage message;
    message.contentTransferEncoding = "7bit";
    readBodyText(message, crlfLines({"Zam=F3wienie", "RHppZfE="}));
    EXPECT_EQ(message.Body, (std::vector<std::string>{"Zam=F3wienie", "RHppZfE="}));
}

} // namespace
} // namespace kestrin
