#include "mail/mime_parts.h"
#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::crlfLines;
using test::mimeMessage;
using test::readBodyText;

TEST(MimeMultipart, MixedTextAndAttachment)
{
    TIdMessage message = mimeMessage("XyZ");
    readBodyText(message, crlfLines({"This is a multi-part message in MIME format.",
                                     "",
                                     "--XyZ",
                                     "Content-Type: text/plain;",
                                     "\tcharset=\"iso-8859-2\"",
                                     "Content-Transfer-Encoding: quoted-printable",
                                     "",
                                     "Dzie=F1 dobry,",
                                     "..kropka",
                                     "d=B3ugi wiersz =",
                                     "z mi=EAkkim przej=B6ciem",
                                     "",
                                     "--XyZ",
                                     "Content-Type: application/octet-stream; name=\"dane.bin\"",
                                     "Content-Transfer-Encoding: base64",
                                     "Content-Disposition: attachment; filename=\"dane.bin\"",
                                     "",
                                     "AAEC/f7/",
                                     "",
                                     "--XyZ--",
                                     "epilogue text",
                                     "."}));
    EXPECT_EQ(message.Body, (std::vector<std::string>{"This is a multi-part message in MIME format.", ""}));
    ASSERT_EQ(message.parts.size(), 2u);

    const TIdMessagePart& text = message.parts[0];
    EXPECT_EQ(text.kind, TIdMessagePart::Kind::Text);
    EXPECT_EQ(text.contentType, "text/plain");
    EXPECT_EQ(text.charset, "ISO-8859-2");
    EXPECT_EQ(text.contentTransferEncoding, "quoted-printable");
    EXPECT_EQ(text.lines, (std::vector<std::string>{"Dzie\xF1 dobry,", ".kropka",
                                                    "d\xB3ugi wiersz z mi\xEAkkim przej\xB6"
                                                    "ciem",
                                                    ""}));
    EXPECT_EQ(text.headers.lines.size(), 3u);
    EXPECT_EQ(text.headers.lines[1], "\tcharset=\"iso-8859-2\"");
    EXPECT_EQ(text.parentPart, -1);

    const TIdMessagePart& file = message.parts[1];
    EXPECT_EQ(file.kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(file.fileName, "dane.bin");
    EXPECT_EQ(file.data, std::string("\x00\x01\x02\xFD\xFE\xFF", 6));
    EXPECT_TRUE(file.lines.empty());
    // The epilogue after the closing boundary is not kept.
    EXPECT_TRUE(message.containers.empty());
}

TEST(MimeMultipart, AlternativeNestedInMixedKeepsItsStructure)
{
    TIdMessage message = mimeMessage("outer");
    readBodyText(message, crlfLines({"--outer",
                                     "Content-Type: multipart/alternative; boundary=inner",
                                     "",
                                     "inner preamble",
                                     "--inner",
                                     "Content-Type: text/plain; charset=us-ascii",
                                     "",
                                     "plain text",
                                     "--inner",
                                     "Content-Type: text/html; charset=\"utf-8\"",
                                     "Content-Transfer-Encoding: base64",
                                     "",
                                     "PHA+aHRtbDwvcD4=",
                                     "--inner--",
                                     "inner epilogue",
                                     "--outer",
                                     "Content-Type: image/png",
                                     "Content-Transfer-Encoding: base64",
                                     "",
                                     "iVBORw==",
                                     "--outer--"}));
    EXPECT_TRUE(message.Body.empty());
    ASSERT_EQ(message.containers.size(), 1u);
    EXPECT_EQ(message.containers[0].contentType, "multipart/alternative");
    EXPECT_EQ(message.containers[0].boundary, "inner");
    EXPECT_EQ(message.containers[0].parentPart, -1);
    EXPECT_EQ(message.containers[0].headers.lines.size(), 1u);

    ASSERT_EQ(message.parts.size(), 3u);
    EXPECT_EQ(message.parts[0].contentType, "text/plain");
    EXPECT_EQ(message.parts[0].charset, "US-ASCII");
    EXPECT_EQ(message.parts[0].lines, (std::vector<std::string>{"plain text"}));
    EXPECT_EQ(message.parts[0].parentPart, 0);
    EXPECT_EQ(message.parts[1].contentType, "text/html");
    EXPECT_EQ(message.parts[1].charset, "UTF-8");
    EXPECT_EQ(message.parts[1].lines, (std::vector<std::string>{"<p>html</p>"}));
    EXPECT_EQ(message.parts[1].parentPart, 0);
    EXPECT_EQ(message.parts[2].kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(message.parts[2].data, "\x89PNG");
    EXPECT_EQ(message.parts[2].parentPart, -1);

    const TIdMessagePart* first = firstTextPart(message);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->lines, (std::vector<std::string>{"plain text"}));
}

TEST(MimeMultipart, FirstTextPartIsMissingWhenOnlyAttachmentsCame)
{
    TIdMessage message = mimeMessage("b");
    readBodyText(message, crlfLines({"preamble", "--b", "Content-Type: application/pdf", "", "%PDF", "--b--"}));
    EXPECT_EQ(firstTextPart(message), nullptr);
    EXPECT_EQ(message.Body, (std::vector<std::string>{"preamble"}));
}

TEST(MimeMultipart, MissingClosingBoundariesKeepWhatWasRead)
{
    TIdMessage message = mimeMessage("b");
    readBodyText(message, crlfLines({"--b", "Content-Type: text/plain", "", "first", "--b", "", "second", "last"}));
    ASSERT_EQ(message.parts.size(), 2u);
    EXPECT_EQ(message.parts[0].lines, (std::vector<std::string>{"first"}));
    // A part without Content-Type is text/plain.
    EXPECT_EQ(message.parts[1].kind, TIdMessagePart::Kind::Text);
    EXPECT_EQ(message.parts[1].contentType, "text/plain");
    EXPECT_EQ(message.parts[1].lines, (std::vector<std::string>{"second", "last"}));

    // The outer boundary closes an inner multipart that never closed itself.
    TIdMessage nested = mimeMessage("out");
    readBodyText(nested, crlfLines({"--out", "Content-Type: multipart/alternative; boundary=in", "", "--in", "",
                                    "inner text", "--out", "", "outer text", "--out--"}));
    ASSERT_EQ(nested.parts.size(), 2u);
    EXPECT_EQ(nested.parts[0].lines, (std::vector<std::string>{"inner text"}));
    EXPECT_EQ(nested.parts[0].parentPart, 0);
    EXPECT_EQ(nested.parts[1].lines, (std::vector<std::string>{"outer text"}));
    EXPECT_EQ(nested.parts[1].parentPart, -1);

    // A message whose boundary never appears keeps everything in Body.
    TIdMessage none = mimeMessage("never");
    readBodyText(none, crlfLines({"just", "text"}));
    EXPECT_EQ(none.Body, (std::vector<std::string>{"just", "text"}));
}

TEST(MimeMultipart, BoundaryLinesAreMatchedExactly)
{
    TIdMessage message = mimeMessage("abc");
    readBodyText(message,
                 crlfLines({"--abc-not-a-boundary", "--abc \t", "Content-Type: multipart/related; boundary=abcdef", "",
                            "--abcdef", "", "inner", "--abcx", "-- abc", "--abcdef--", "--abc--"}));
    EXPECT_EQ(message.Body, (std::vector<std::string>{"--abc-not-a-boundary"}));
    ASSERT_EQ(message.containers.size(), 1u);
    ASSERT_EQ(message.parts.size(), 1u);
    EXPECT_EQ(message.parts[0].lines, (std::vector<std::string>{"inner", "--abcx", "-- abc"}));
    EXPECT_EQ(message.parts[0].parentPart, 0);

    // A close delimiter before any part is only text.
    TIdMessage early = mimeMessage("b");
    readBodyText(early, crlfLines({"--b--", "--b", "", "part"}));
    EXPECT_EQ(early.Body, (std::vector<std::string>{"--b--"}));
    ASSERT_EQ(early.parts.size(), 1u);
}

TEST(MimeMultipart, PartHeaderWithoutEmptyLineAndHeaderOnlyParts)
{
    TIdMessage message = mimeMessage("b");
    readBodyText(message, crlfLines({"--b", "Content-Type: text/plain", "Hello there: this is text", "more", "--b",
                                     "Content-Type: text/plain", "--b", "Content-Type: image/gif", "--b--"}));
    ASSERT_EQ(message.parts.size(), 3u);
    EXPECT_EQ(message.parts[0].headers.lines, (std::vector<std::string>{"Content-Type: text/plain"}));
    EXPECT_EQ(message.parts[0].lines, (std::vector<std::string>{"Hello there: this is text", "more"}));
    EXPECT_TRUE(message.parts[1].lines.empty());
    EXPECT_EQ(message.parts[1].kind, TIdMessagePart::Kind::Text);
    EXPECT_EQ(message.parts[2].kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(message.parts[2].data, "");
}

TEST(MimeMultipart, UuencodedAndBinaryPartsDecodeByTheirEncoding)
{
    TIdMessage message = mimeMessage("b");
    readBodyText(message,
                 crlfLines({"--b", "Content-Type: application/octet-stream", "Content-Transfer-Encoding: x-uuencode",
                            "", "begin 644 cat.txt", "#0V%T", "end", "--b", "Content-Type: application/octet-stream",
                            "Content-Transfer-Encoding: binary", "", "line one", "line two", "--b--"}));
    ASSERT_EQ(message.parts.size(), 2u);
    EXPECT_EQ(message.parts[0].data, "Cat");
    EXPECT_EQ(message.parts[0].fileName, "cat.txt");
    EXPECT_EQ(message.parts[1].data, "line one\r\nline two");
}

} // namespace
} // namespace kestrin
