#include "mail/message_writer.h"
#include "message_test_support.h"
#include "writer_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

using test::savedAndLoaded;

const std::string kPolishLine = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";

void expectSameAddresses(const TIdEMailAddressList& a, const TIdEMailAddressList& b, const char* what)
{
    ASSERT_EQ(a.count(), b.count()) << what;
    for (size_t i = 0; i < a.count(); ++i) {
        EXPECT_EQ(a[i].Name, b[i].Name) << what;
        EXPECT_EQ(a[i].Address, b[i].Address) << what;
    }
}

void expectSameMessage(const TIdMessage& original, const TIdMessage& loaded)
{
    EXPECT_EQ(loaded.Subject, original.Subject);
    EXPECT_EQ(loaded.From.Name, original.From.Name);
    EXPECT_EQ(loaded.From.Address, original.From.Address);
    expectSameAddresses(original.Recipients, loaded.Recipients, "To");
    expectSameAddresses(original.ccList, loaded.ccList, "Cc");
    expectSameAddresses(original.bccList, loaded.bccList, "Bcc");
    expectSameAddresses(original.replyToList, loaded.replyToList, "Reply-To");
    EXPECT_NEAR(loaded.Date, original.Date, 0.5 / 86400);
    EXPECT_EQ(loaded.priority, original.priority);
    EXPECT_EQ(loaded.messageId, original.messageId);
    EXPECT_EQ(loaded.CharSet, original.CharSet);
    EXPECT_EQ(loaded.Body, original.Body);
    ASSERT_EQ(loaded.parts.size(), original.parts.size());
    for (size_t i = 0; i < original.parts.size(); ++i) {
        EXPECT_EQ(loaded.parts[i].kind, original.parts[i].kind) << "part " << i;
        EXPECT_EQ(loaded.parts[i].lines, original.parts[i].lines) << "part " << i;
        EXPECT_EQ(loaded.parts[i].data, original.parts[i].data) << "part " << i;
        EXPECT_EQ(loaded.parts[i].parentPart, original.parts[i].parentPart) << "part " << i;
    }
}

TIdMessage addressedMessage()
{
    TIdMessage m;
    m.From = {"Pawe\xB3 Nowak", "pawel@example.pl"};
    m.Recipients.add({"Jan Kowalski", "jan@example.com"});
    m.Recipients.add({"", "second@example.com"});
    m.ccList.add({"Nowak, \xA3ukasz", "lukasz@example.pl"});
    m.bccList.add({"Ukryty \xA5", "hidden@example.pl"});
    m.replyToList.add({"Odpowiedzi", "reply@example.pl"});
    m.Subject = "Wa\xBFne: " + kPolishLine;
    m.Date = encodeDateTime({2025, 1, 14, 9, 30, 15, 0});
    m.messageId = "<abc.123@example.pl>";
    m.CharSet = "WINDOWS-1250";
    return m;
}

std::string everyByte()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + "\r\n\n\r" + bytes;
}

TEST(WriterRoundTrip, PlainMessageKeepsAddressesSubjectDatePriorityAndBody)
{
    TIdMessage m = addressedMessage();
    m.contentTransferEncoding = "8bit";
    m.priority = 0;
    m.Body = {kPolishLine, ".leading dot", "..two dots", "", "From the start", "last", ""};
    const TIdMessage loaded = savedAndLoaded(m);
    expectSameMessage(m, loaded);
    EXPECT_EQ(loaded.encoding, TIdMessageEncoding::Plain);

    // Normal priority and a message loaded twice stay put too.
    m.priority = 2;
    const TIdMessage normal = savedAndLoaded(m);
    EXPECT_EQ(normal.priority, 2);
    EXPECT_EQ(normal.headerValue("X-Priority"), "");
    expectSameMessage(normal, savedAndLoaded(normal));
}

TEST(WriterRoundTrip, QuotedPrintableAndBase64PlainBodiesAreReEncoded)
{
    TIdMessage m = addressedMessage();
    m.priority = 4;
    m.contentTransferEncoding = "quoted-printable";
    m.Body = {kPolishLine,
              std::string(200, 'x') + " = sign",
              "trailing blanks  ",
              "--looks-like-a-boundary",
              "",
              "a=3Dnot escaped",
              ""};
    TIdMessage loaded = savedAndLoaded(m);
    expectSameMessage(m, loaded);

    m.contentTransferEncoding = "base64";
    m.Body = {kPolishLine, "second", ""};
    loaded = savedAndLoaded(m);
    expectSameMessage(m, loaded);
}

TIdMessagePart textPart(std::string type, std::string encoding, std::vector<std::string> lines, int parent)
{
    TIdMessagePart p;
    p.kind = TIdMessagePart::Kind::Text;
    p.contentType = std::move(type);
    p.charset = "WINDOWS-1250";
    p.contentTransferEncoding = std::move(encoding);
    p.lines = std::move(lines);
    p.parentPart = parent;
    return p;
}

TEST(WriterRoundTrip, NestedMultipartWithBinaryAttachment)
{
    TIdMessage m = addressedMessage();
    m.encoding = TIdMessageEncoding::Mime;
    m.contentType = "multipart/mixed";
    m.boundary = "outer=_b";
    m.Body = {"This is a multi-part message in MIME format."};
    m.containers.push_back({{}, "multipart/alternative", "inner=_b", -1});
    m.parts.push_back(textPart("text/plain", "quoted-printable", {kPolishLine, "--outer=_b", "=", ""}, 0));
    m.parts.push_back(textPart("text/html", "base64", {"<p>" + kPolishLine + "</p>"}, 0));
    TIdMessagePart file;
    file.kind = TIdMessagePart::Kind::Attachment;
    file.contentType = "application/octet-stream";
    file.contentTransferEncoding = "x-uuencode"; // rewritten as base64
    file.fileName = "all.bin";
    file.data = everyByte();
    m.parts.push_back(file);
    m.parts.push_back(textPart("text/plain", "8bit", {"after", ".dot"}, -1));

    const TIdMessage loaded = savedAndLoaded(m);
    expectSameMessage(m, loaded);
    EXPECT_EQ(loaded.encoding, TIdMessageEncoding::Mime);
    EXPECT_EQ(loaded.boundary, "outer=_b");
    ASSERT_EQ(loaded.containers.size(), 1u);
    EXPECT_EQ(loaded.containers[0].contentType, "multipart/alternative");
    EXPECT_EQ(loaded.containers[0].parentPart, -1);
    EXPECT_EQ(loaded.parts[2].fileName, "all.bin");
    EXPECT_EQ(loaded.parts[2].contentTransferEncoding, "base64");
    EXPECT_EQ(loaded.parts[1].contentType, "text/html");

    // Written again from what was read (received part headers this time), nothing changes.
    const TIdMessage again = savedAndLoaded(loaded);
    expectSameMessage(loaded, again);
    EXPECT_EQ(messageLines(loaded, HeaderPurpose::File), messageLines(again, HeaderPurpose::File));
}

TEST(WriterRoundTrip, ReceivedMimeMessageWithAttachmentInOtherEncodings)
{
    const TIdMessage received = test::readMessageText(test::crlfLines({
        "From: =?ISO-8859-2?Q?Pawe=B3?= <p@example.pl>",
        "To: a@example.com",
        "Subject: =?ISO-8859-2?Q?Zam=F3wienie?=",
        "MIME-Version: 1.0",
        "Content-Type: multipart/mixed; boundary=\"zz\"",
        "",
        "preamble",
        "--zz",
        "Content-Type: text/plain; charset=iso-8859-2",
        "Content-Transfer-Encoding: quoted-printable",
        "",
        "Zam=F3wienie nr 5=",
        " ci=B1g dalszy",
        "--zz",
        "Content-Type: application/octet-stream; name=\"a.bin\"",
        "Content-Transfer-Encoding: quoted-printable",
        "",
        "=00=01=FF=0D=0A.",
        "--zz",
        "Content-Type: message/rfc822",
        "",
        "Subject: inner",
        "",
        "inner body",
        "--zz--",
        "epilogue",
    }));
    ASSERT_EQ(received.parts.size(), 3u);
    const TIdMessage loaded = savedAndLoaded(received);
    expectSameMessage(received, loaded);
    EXPECT_EQ(loaded.parts[1].data, std::string("\x00\x01\xFF\r\n.", 6));
    EXPECT_EQ(loaded.parts[1].contentTransferEncoding, "base64");
    // A message part may not be encoded (RFC 2046): it stays as it was.
    EXPECT_EQ(loaded.parts[2].contentTransferEncoding, "");
}

TEST(WriterRoundTrip, UuencodedBlocksOfAPlainMessage)
{
    TIdMessage m = addressedMessage();
    m.Body = {"See the files.", "begin 644 is only prose here", "Bye."};
    TIdMessagePart file;
    file.kind = TIdMessagePart::Kind::Attachment;
    file.contentType = "application/octet-stream";
    file.contentTransferEncoding = "x-uuencode";
    file.fileName = "all.bin";
    file.data = everyByte();
    m.parts.push_back(file);
    file.fileName = "empty.txt";
    file.data.clear();
    m.parts.push_back(file);
    file.fileName = "";
    file.data = std::string(45, '\0'); // one full line of zero bits
    m.parts.push_back(file);

    const TIdMessage loaded = savedAndLoaded(m);
    expectSameMessage(m, loaded);
    EXPECT_EQ(loaded.parts[0].fileName, "all.bin");
    EXPECT_EQ(loaded.parts[1].fileName, "empty.txt");
    for (const auto& line : messageLines(m, HeaderPurpose::File))
        EXPECT_TRUE(line.empty() || line.back() != ' ') << line;
}

TEST(WriterRoundTrip, MultipartWhoseDelimitersNeverMatchedStaysOneBody)
{
    // The header names one boundary, the body uses another: all of it is Body.
    const TIdMessage received = test::readMessageText(test::crlfLines({
        "From: a@example.com",
        "MIME-Version: 1.0",
        "Content-Type: multipart/alternative; boundary=\"=Part 1\"",
        "",
        "--= Part 1",
        "Content-Type: text/plain",
        "",
        "text",
        "--= Part 1--",
    }));
    ASSERT_TRUE(received.parts.empty());
    const TIdMessage loaded = savedAndLoaded(received);
    EXPECT_EQ(loaded.Body, received.Body);
    EXPECT_EQ(loaded.boundary, "=Part 1");
}

} // namespace
} // namespace kestrin
