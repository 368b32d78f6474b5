#include "mail/mail_errors.h"
#include "mail/mime_parts.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

PartDescription describe(std::initializer_list<std::string> lines)
{
    TIdHeaderList headers;
    for (const auto& line : lines)
        headers.add(line);
    return describePart(headers);
}

TEST(MimeClassify, TextPartsAndTheirProperties)
{
    EXPECT_EQ(describe({}).partClass, PartClass::Text);
    EXPECT_EQ(describe({}).contentType, "text/plain");
    const PartDescription html =
        describe({"content-type: Text/HTML;", " charset=\"windows-1250\"",
                  "Content-Transfer-Encoding: Quoted-Printable", "Content-Disposition: inline"});
    EXPECT_EQ(html.partClass, PartClass::Text);
    EXPECT_EQ(html.contentType, "Text/HTML");
    EXPECT_EQ(html.charset, "WINDOWS-1250");
    EXPECT_EQ(html.encoding, TransferEncoding::QuotedPrintable);
    EXPECT_EQ(html.contentTransferEncoding, "Quoted-Printable");
    EXPECT_EQ(html.contentDisposition, "inline");
    // RFC 2045 reads a Content-Type that is not "type/subtype" as text/plain.
    EXPECT_EQ(describe({"Content-Type: text"}).contentType, "text/plain");
    EXPECT_EQ(describe({"Content-Type: text"}).partClass, PartClass::Text);
    EXPECT_EQ(describe({"Content-Type: text/plain; charset=iso-8859-2; format=flowed"}).charset, "ISO-8859-2");
    // Misspelt encodings are read as they stand.
    EXPECT_EQ(describe({"Content-Transfer-Encoding: 8bits"}).encoding, TransferEncoding::Identity);
    EXPECT_EQ(describe({"Content-Transfer-Encoding: 8bits"}).partClass, PartClass::Text);
}

TEST(MimeClassify, AttachmentsByTypeOrByName)
{
    const PartDescription named = describe({"Content-Type: text/plain; name=\"notes.txt\""});
    EXPECT_EQ(named.partClass, PartClass::Attachment);
    EXPECT_EQ(named.fileName, "notes.txt");
    const PartDescription disposed =
        describe({"Content-Type: text/plain", "Content-Disposition: attachment;", "\tfilename=\"lista.txt\""});
    EXPECT_EQ(disposed.partClass, PartClass::Attachment);
    EXPECT_EQ(disposed.fileName, "lista.txt");
    // Disposition "attachment" without a file name leaves a text part text.
    EXPECT_EQ(describe({"Content-Type: text/plain", "Content-Disposition: attachment"}).partClass, PartClass::Text);
    EXPECT_EQ(describe({"Content-Type: text/plain", "Content-Disposition: inline; filename=a.txt"}).partClass,
              PartClass::Text);
    EXPECT_EQ(describe({"Content-Type: message/rfc822"}).partClass, PartClass::Attachment);
    EXPECT_EQ(describe({"Content-Type: image/jpeg"}).partClass, PartClass::Attachment);
    EXPECT_EQ(describe({"Content-Type: application/x-unknown-thing"}).partClass, PartClass::Attachment);
}

TEST(MimeClassify, MultipartsAreContainersUnlessEncoded)
{
    const PartDescription related = describe({"Content-Type: Multipart/Related; boundary=\"=_x y\""});
    EXPECT_EQ(related.partClass, PartClass::Container);
    EXPECT_EQ(related.boundary, "=_x y");
    EXPECT_EQ(describe({"Content-Type: multipart/mixed", "Content-Transfer-Encoding: 7bit"}).partClass,
              PartClass::Container);
    try {
        describe({"Content-Type: multipart/alternative; boundary=b", "Content-Transfer-Encoding: base64"});
        FAIL() << "an encoded multipart cannot be classed";
    } catch (const EIdUnknownMessagePartType& e) {
        EXPECT_STREQ(e.what(), "Unknown Message Part Type.");
    }
}

} // namespace
} // namespace kestrin
