#include "mail/mail_errors.h"
#include "mail/mime_parts.h"
#include "message_test_support.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

std::string dataFile(const std::string& name)
{
    return std::string(KESTRIN_TEST_DATA) + "/" + name;
}

TEST(ReaderLoadFile, PolishSampleMessage)
{
    TIdMessage message;
    message.loadFromFile(dataFile("sample-pl.eml"));
    EXPECT_EQ(message.rawHeaders.count(), 10u);
    EXPECT_EQ(message.From.Name, "Pawe\xB3 Kowalski");
    EXPECT_EQ(message.From.Address, "pawel.kowalski@example.pl");
    ASSERT_EQ(message.Recipients.count(), 1u);
    EXPECT_EQ(message.Recipients[0].Address, "anna.nowak@example.com.pl");
    EXPECT_EQ(message.Subject, "Zam\xF3wienie nr 5 - potwierdzenie wp\xB3"
                               "aty");
    EXPECT_EQ(message.messageId, "<20250114093000.4711@poczta.example.pl>");
    EXPECT_EQ(message.headerValue("X-Priority"), "3 (Normal)");
    EXPECT_EQ(message.priority, 2);
    EXPECT_EQ(message.encoding, TIdMessageEncoding::Mime);
    EXPECT_EQ(message.contentType, "multipart/mixed");
    EXPECT_EQ(message.Body, (std::vector<std::string>{"This is a multi-part message in MIME format.", ""}));

    ASSERT_EQ(message.parts.size(), 2u);
    const TIdMessagePart* text = firstTextPart(message);
    ASSERT_EQ(text, &message.parts[0]);
    EXPECT_EQ(text->charset, "ISO-8859-2");
    ASSERT_EQ(text->lines.size(), 7u);
    EXPECT_EQ(text->lines[0], "Dzie\xF1 dobry,");
    EXPECT_EQ(text->lines[2], "potwierdzam otrzymanie wp\xB3"
                              "aty za zam\xF3wienie nr 5. Przesy\xB3ka zostanie "
                              "wys\xB3"
                              "ana jutro kurierem, a faktur\xEA do\xB3\xB1"
                              "czam w za\xB3\xB1"
                              "czniku.");
    EXPECT_EQ(text->lines[5], "Pawe\xB3 Kowalski");
    EXPECT_EQ(text->lines[6], "");

    const TIdMessagePart& gif = message.parts[1];
    EXPECT_EQ(gif.kind, TIdMessagePart::Kind::Attachment);
    EXPECT_EQ(gif.contentType, "image/gif");
    EXPECT_EQ(gif.fileName, "kropka.gif");
    EXPECT_EQ(gif.data.size(), 42u);
    EXPECT_EQ(gif.data.substr(0, 6), "GIF89a");
}

TEST(ReaderLoadFile, LineEndsDotLineAndEndOfFile)
{
    TIdMessage lf;
    lf.loadFromFile(dataFile("messages/plain-lf.eml"));
    EXPECT_EQ(lf.Subject, "Plain text, LF line ends");
    EXPECT_EQ(lf.Body,
              (std::vector<std::string>{"First line.", ".starts with a dot", "", "Last line without a line end"}));

    TIdMessage qp;
    qp.loadFromFile(dataFile("messages/qp-plain.eml"));
    EXPECT_EQ(qp.CharSet, "ISO-8859-2");
    EXPECT_EQ(qp.Body, (std::vector<std::string>{"Dzi\xEAkujemy za zakupy w naszym sklepie, zam\xF3wienie zosta\xB3o "
                                                 "przyj\xEAte do realizacji.",
                                                 ""}));

    TIdMessage alternative;
    alternative.loadFromFile(dataFile("messages/alternative.eml"));
    EXPECT_EQ(alternative.Recipients.count(), 2u);
    ASSERT_EQ(alternative.containers.size(), 1u);
    ASSERT_EQ(alternative.parts.size(), 3u);
    EXPECT_EQ(firstTextPart(alternative)->lines, (std::vector<std::string>{"Tekst zwyk\xB3y."}));
    EXPECT_EQ(alternative.parts[1].lines, (std::vector<std::string>{"<p>Tekst zwyk\xB3y.</p>"}));
    EXPECT_EQ(alternative.parts[2].data, "%PDF-1.4\n");
    EXPECT_EQ(alternative.parts[2].parentPart, -1);
}

TEST(ReaderLoadFile, MissingOrUnreadableFileRaisesAndLeavesTheMessageCleared)
{
    TIdMessage message;
    message.loadFromFile(dataFile("sample-pl.eml"));
    const std::string missing = dataFile("messages/no-such-message.eml");
    try {
        message.loadFromFile(missing);
        FAIL() << "a missing file must raise";
    } catch (const EIdMessageCannotLoad& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot load message from file " + missing);
    }
    EXPECT_TRUE(message.rawHeaders.empty());
    EXPECT_TRUE(message.parts.empty());
    EXPECT_EQ(message.Subject, "");

    const std::string folder = dataFile("messages");
    try {
        message.loadFromFile(folder);
        FAIL() << "a folder must raise";
    } catch (const EIdMessageCannotLoad& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot load message from file " + folder);
    }
}

} // namespace
} // namespace kestrin
