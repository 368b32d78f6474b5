#include "mail/mail_errors.h"
#include "mail/message.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace kestrin {
namespace {

TIdMessage messageWith(std::initializer_list<const char*> lines)
{
    TIdMessage message;
    for (const char* line : lines)
        message.addRawHeaderLine(line);
    message.processHeaders();
    return message;
}

// The date is moved to the computer's zone; pin it so the test does not depend on the machine.
class ScopedZone {
public:
    explicit ScopedZone(const char* zone)
    {
        if (const char* tz = std::getenv("TZ"))
            saved_ = tz;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedZone()
    {
        if (saved_.empty())
            unsetenv("TZ");
        else
            setenv("TZ", saved_.c_str(), 1);
        tzset();
    }

private:
    std::string saved_;
};

TEST(HeaderProcess, DerivesEveryProperty)
{
    const ScopedZone zone("Europe/Warsaw");
    const TIdMessage m = messageWith({
        "From bounce@example.com  Mon Sep  2 10:00:00 2002",
        "Return-Path: <bounce@example.com>",
        "From: =?ISO-8859-2?Q?Jan_Kowalsk=B1?= <jan@example.com>, ola@example.com",
        "To: a@example.com, \"B, b\" <b@example.com>",
        "Cc: c@example.com",
        "Bcc: d@example.com",
        "Reply-To: Reply <reply@example.com>",
        "Sender: Sender Name <sender@example.com>",
        "Subject: =?ISO-8859-2?Q?Zam=F3wienie_nr_5?=",
        "Message-Id: abc@host",
        "Newsgroups: pl.test",
        "Organization: Firma",
        "Disposition-Notification-To: Read <read@example.com>",
        "Return-Receipt-To: other@example.com",
        "References: <x@y>",
        "Date: Mon, 2 Sep 2002 10:00:00 +0200",
        "X-Priority: 1 (Highest)",
        "MIME-Version: 1.0",
        "Content-Type: multipart/alternative; charset=\"iso-8859-2\";",
        "\tboundary=\"----=_Part_1\"",
        "Content-Transfer-Encoding: 8bit",
        "Content-Disposition: inline",
    });
    EXPECT_EQ(m.fromList.count(), 2u);
    EXPECT_EQ(m.From.Name, "Jan Kowalsk\xB1");
    EXPECT_EQ(m.From.Address, "jan@example.com");
    ASSERT_EQ(m.Recipients.count(), 2u);
    EXPECT_EQ(m.Recipients[1].Name, "B, b");
    EXPECT_EQ(m.ccList.text(), "c@example.com");
    EXPECT_EQ(m.bccList.text(), "d@example.com");
    EXPECT_EQ(m.replyToList.text(), "Reply <reply@example.com>");
    EXPECT_EQ(m.sender.Address, "sender@example.com");
    EXPECT_EQ(m.Subject, "Zam\xF3wienie nr 5");
    EXPECT_EQ(m.messageId, "<abc@host>");
    EXPECT_EQ(m.newsgroups, "pl.test");
    EXPECT_EQ(m.organization, "Firma");
    EXPECT_EQ(m.receiptRecipient.Address, "read@example.com");
    EXPECT_EQ(m.references, "<x@y>");
    EXPECT_DOUBLE_EQ(m.Date, encodeDateTime({2002, 9, 2, 10, 0, 0, 0}));
    EXPECT_EQ(m.priority, 0);
    EXPECT_EQ(m.encoding, TIdMessageEncoding::Mime);
    EXPECT_EQ(m.contentType, "multipart/alternative");
    EXPECT_EQ(m.CharSet, "ISO-8859-2");
    EXPECT_EQ(m.boundary, "----=_Part_1");
    EXPECT_EQ(m.contentTransferEncoding, "8bit");
    EXPECT_EQ(m.contentDisposition, "inline");
}

TEST(HeaderProcess, DefaultsForAnEmptyHeader)
{
    const TIdMessage m = messageWith({});
    EXPECT_TRUE(m.From.empty());
    EXPECT_TRUE(m.fromList.empty());
    EXPECT_TRUE(m.Recipients.empty());
    EXPECT_EQ(m.contentType, "text/plain");
    EXPECT_EQ(m.CharSet, "");
    EXPECT_EQ(m.messageId, "");
    EXPECT_EQ(m.Date, 0.0);
    EXPECT_EQ(m.priority, 2);
    EXPECT_EQ(m.encoding, TIdMessageEncoding::Plain);
    EXPECT_EQ(m.boundary, "");
}

TEST(HeaderProcess, FallbacksAndPresenceRules)
{
    const TIdMessage m =
        messageWith({"Disposition-Notification-To:", "Return-Receipt-To: rr@example.com", "Priority:", "X-Priority: 5",
                     "MIME-Version:", "Message-Id: <already@host>", "Content-Type: TEXT/HTML ; charset=utf-8"});
    EXPECT_EQ(m.receiptRecipient.Address, "rr@example.com");
    EXPECT_EQ(m.priority, 4);
    EXPECT_EQ(m.encoding, TIdMessageEncoding::Mime);
    EXPECT_EQ(m.messageId, "<already@host>");
    EXPECT_EQ(m.contentType, "TEXT/HTML");
    EXPECT_EQ(m.CharSet, "UTF-8");
    const TIdMessage urgent = messageWith({"Priority: urgent", "X-Priority: 5", "Message-Id: <half@host"});
    EXPECT_EQ(urgent.priority, 1);
    EXPECT_EQ(urgent.messageId, "<half@host>");
}

TEST(HeaderProcess, RulesSeeOneRecipientOnlyWhenThereIsOne)
{
    EXPECT_EQ(messageWith({"To: a@example.com, b@example.com"}).Recipients.count(), 2u);
    const TIdMessage one = messageWith({"To: Jan <a@example.com>"});
    ASSERT_EQ(one.Recipients.count(), 1u);
    EXPECT_EQ(one.Recipients[0].Address, "a@example.com");
    EXPECT_EQ(messageWith({"To: undisclosed-recipients:;"}).Recipients.count(), 0u);
}

TEST(HeaderProcess, ContinuationWithTabAndDecodedHeaders)
{
    const TIdMessage m = messageWith({"Subject: =?iso-8859-2?q?Zam=F3wienie?=", "\t=?iso-8859-2?q?_nr_5?=",
                                      "To: =?utf-8?q?Jan?= <jan@example.com>", "Reply-To: =?iso-8859-2?q?R?= <r@x>"});
    EXPECT_EQ(m.Subject, "Zam\xF3wienie nr 5");
    EXPECT_EQ(m.Recipients[0].Name, "=?utf-8?q?Jan?=");
    EXPECT_EQ(m.replyToList[0].Name, "=?iso-8859-2?q?R?=");
    const TIdMessage folded = messageWith({"Subject: first", "\tsecond"});
    EXPECT_EQ(folded.Subject, "first second");
}

TEST(HeaderProcess, EncodedLineEndsStayInsideTheSubject)
{
    const TIdMessage m = messageWith({"Subject: =?iso-8859-1?q?Hi=0D=0ABcc:_victim@example.com?="});
    EXPECT_EQ(m.Subject.find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(m.Subject, "Hi  Bcc: victim@example.com");
}

TEST(HeaderProcess, ProcessingTwiceGivesTheSameResult)
{
    TIdMessage m = messageWith({"From: a@example.com", "To: b@example.com, c@example.com", "X-Priority: 1"});
    m.processHeaders();
    EXPECT_EQ(m.fromList.count(), 1u);
    EXPECT_EQ(m.Recipients.count(), 2u);
    EXPECT_EQ(m.priority, 0);

    m.rawHeaders.clear();
    m.addRawHeaderLine("Subject: new");
    m.processHeaders();
    EXPECT_TRUE(m.From.empty());
    EXPECT_TRUE(m.Recipients.empty());
    EXPECT_EQ(m.priority, 2);
    EXPECT_EQ(m.Subject, "new");
}

TEST(HeaderProcess, MalformedAddressRaisesTheParseError)
{
    TIdMessage m;
    m.addRawHeaderLine("From: Jan <jan@example.com> extra@example.com");
    try {
        m.processHeaders();
        FAIL() << "no error";
    } catch (const EIdEmailParseError& e) {
        EXPECT_STREQ(e.what(), "@ Outside address");
    }
    TIdMessage sender;
    sender.addRawHeaderLine("Sender: <a@b>@c");
    EXPECT_THROW(sender.processHeaders(), EIdEmailParseError);
}

} // namespace
} // namespace kestrin
