#include "engine/rule_condition.h"
#include "engine/rule_evaluation.h"
#include "engine/rule_vocabulary.h"
#include "message_builder.h"
#include "text/convert_error.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"

#include <gtest/gtest.h>

using namespace kestrin;
using namespace kestrin::test;
using Kind = TIdMessagePart::Kind;

namespace {

RuleRecord rule(RuleField field, int sub, std::string value)
{
    RuleRecord record;
    record.typ = static_cast<uint8_t>(field);
    record.sub = static_cast<uint8_t>(sub);
    record.str = std::move(value);
    return record;
}

RuleRecord rule(RuleField field, TextCondition condition, std::string value)
{
    return rule(field, static_cast<int>(condition), std::move(value));
}

bool selects(const RuleRecord& record, const TIdMessage& message, int64_t size = 1000, bool whole = true,
             const BodyCorrection& correction = {})
{
    return evaluateRule(record, message, size, whole, correction) == RuleOutcome::Selected;
}

TIdMessage withSubject(std::string subject)
{
    TIdMessage message;
    message.Subject = std::move(subject);
    return message;
}

TIdMessage withSender(std::string address)
{
    TIdMessage message;
    message.From = test::address("Jan", std::move(address));
    return message;
}

} // namespace

TEST(RuleEvaluation, TextFieldsFoldOnlyAsciiLetters)
{
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::Contains, "viagra"), withSubject("Buy VIAGRA now")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, TextCondition::Contains, winLiteral("Świat")),
                         withSubject(winLiteral("cały świat"))));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::Contains, winLiteral("ŚWIAT")),
                        withSubject(winLiteral("cały Świat"))));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::Equals, "HELLO"), withSubject("hello")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, TextCondition::NotEquals, "HELLO"), withSubject("hello")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, TextCondition::Contains, ""), withSubject("anything")));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::NotContains, ""), withSubject("anything")));
    EXPECT_TRUE(selects(rule(RuleField::Name, TextCondition::StartsWith, "ja"), withSender("x@y")));
}

TEST(RuleEvaluation, StartsAndEndsWith)
{
    const TIdMessage message = withSender("ktos.pl@firma.pl");
    EXPECT_TRUE(selects(rule(RuleField::Sender, TextCondition::EndsWith, ".pl"), message));
    EXPECT_TRUE(selects(rule(RuleField::Sender, TextCondition::EndsWith, ".PL"), message));
    EXPECT_FALSE(selects(rule(RuleField::Sender, TextCondition::NotEndsWith, ".pl"), message));
    EXPECT_FALSE(selects(rule(RuleField::Sender, TextCondition::EndsWith, ""), message));
    EXPECT_TRUE(selects(rule(RuleField::Sender, TextCondition::NotEndsWith, ""), message));
    EXPECT_FALSE(selects(rule(RuleField::Sender, TextCondition::StartsWith, ""), message));
    EXPECT_TRUE(selects(rule(RuleField::Sender, TextCondition::NotStartsWith, ""), message));
    EXPECT_TRUE(selects(rule(RuleField::Sender, TextCondition::StartsWith, "KTOS"), message));
    EXPECT_FALSE(selects(rule(RuleField::Sender, TextCondition::EndsWith, "firma.pl.com"), message));
}

TEST(RuleEvaluation, WordConditions)
{
    EXPECT_TRUE(
        selects(rule(RuleField::Subject, TextCondition::AllWords, "tani kredyt"), withSubject("Tanie kredyty")));
    EXPECT_FALSE(
        selects(rule(RuleField::Subject, TextCondition::AllWords, "tani  kredyt"), withSubject("tani kredyt")));
    EXPECT_FALSE(
        selects(rule(RuleField::Subject, TextCondition::AllWords, "tani kredyt "), withSubject("tani kredyt")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, TextCondition::OnlyOneWord, "kredyt"), withSubject("kredyt")));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::OnlyOneWord, "kredyt tani"), withSubject("kredyt")));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::AnyWord, "dom kredyt"), withSubject("kredyt")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, TextCondition::AnyWord, "dom auto"), withSubject("kredyt")));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::NoWord, "dom auto"), withSubject("kredyt")));
    EXPECT_TRUE(selects(rule(RuleField::Subject, TextCondition::NoWord, ""), withSubject("kredyt")));
}

TEST(RuleEvaluation, RecipientOnlyWithExactlyOneAddress)
{
    TIdMessage message;
    const RuleRecord notContains = rule(RuleField::Recipient, TextCondition::NotContains, "zzz");
    const RuleRecord contains = rule(RuleField::Recipient, TextCondition::Contains, "ja@");
    EXPECT_FALSE(selects(notContains, message));
    message.Recipients.add(address("", "ja@dom.pl"));
    EXPECT_TRUE(selects(notContains, message));
    EXPECT_TRUE(selects(contains, message));
    message.Recipients.add(address("", "ty@dom.pl"));
    EXPECT_FALSE(selects(notContains, message));
    EXPECT_FALSE(selects(contains, message));
}

TEST(RuleEvaluation, BodyOnlyForWholeMessages)
{
    TIdMessage message;
    message.Body = {"Kliknij", "cl<b></b>ick here"};
    for (int sub = 0; sub < 12; ++sub) {
        EXPECT_FALSE(selects(rule(RuleField::Body, sub, "zzz"), message, 1000, false)) << sub;
        EXPECT_FALSE(selects(rule(RuleField::Body, sub, ""), message, 1000, false)) << sub;
    }
    EXPECT_TRUE(selects(rule(RuleField::Body, TextCondition::Equals, "kliknij click here "), message, 1000, true,
                        {true, false, ""}));
    const RuleRecord click = rule(RuleField::Body, TextCondition::Contains, "click");
    EXPECT_FALSE(selects(click, message, 1000, true, {false, false, "!"}));
    EXPECT_TRUE(selects(click, message, 1000, true, {true, false, "!"}));

    message.parts = {part(Kind::Attachment, {"click"}), part(Kind::Text, {"v!i#a(g)r*a"})};
    EXPECT_FALSE(selects(click, message, 1000, true, {true, true, "!#$%^&*()"}));
    const RuleRecord viagra = rule(RuleField::Body, TextCondition::Contains, "viagra");
    EXPECT_FALSE(selects(viagra, message));
    EXPECT_TRUE(selects(viagra, message, 1000, true, {false, true, "!#$%^&*()"}));
    // The value itself is never corrected.
    EXPECT_FALSE(selects(rule(RuleField::Body, TextCondition::Contains, "v!iagra"), message, 1000, true,
                         {false, true, "!#$%^&*()"}));
}

TEST(RuleEvaluation, SizeInKilobytes)
{
    const TIdMessage message;
    const RuleRecord over128 = rule(RuleField::Size, 0, "128");
    EXPECT_TRUE(selects(over128, message, 131073));
    EXPECT_FALSE(selects(over128, message, 131072));
    EXPECT_FALSE(selects(rule(RuleField::Size, 2, "128"), message, 1'000'000));
    EXPECT_FALSE(selects(rule(RuleField::Size, 1, "128"), message, 1'000'000));
    // 3000000 KB: a 32-bit product would wrap negative and select every message.
    EXPECT_FALSE(selects(rule(RuleField::Size, 0, "3000000"), message, 100));
    EXPECT_TRUE(selects(rule(RuleField::Size, 0, "2147483647"), message, int64_t{1} << 42));
    try {
        selects(rule(RuleField::Size, 0, "12a"), message);
        FAIL() << "no EConvertError";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "'12a' is not a valid integer value");
    }
}

TEST(RuleEvaluation, StrictIntegerConversion)
{
    EXPECT_EQ(strictInteger("128"), 128);
    EXPECT_EQ(strictInteger("-5"), -5);
    EXPECT_EQ(strictInteger("+7"), 7);
    EXPECT_EQ(strictInteger("-2147483648"), INT32_MIN);
    EXPECT_EQ(strictInteger("2147483647"), INT32_MAX);
    for (const char* bad :
         {"", "-", "+", " 1", "1 ", "2147483648", "-2147483649", "1.5", "0x10", "+-1", "99999999999999999999"})
        EXPECT_THROW(strictInteger(bad), EConvertError) << bad;
}

TEST(RuleEvaluation, PriorityComparesTheDigitExactly)
{
    const RuleRecord highest = rule(RuleField::Priority, 0, winLiteral("najwyższy (1)"));
    const RuleRecord notHighest = rule(RuleField::Priority, 1, winLiteral("najwyższy (1)"));
    const TIdMessage plain = messageWithHeaders({"X-Priority: 1"});
    const TIdMessage commented = messageWithHeaders({"X-Priority: 1 (Highest)"});
    const TIdMessage without = messageWithHeaders({"Subject: x"});
    EXPECT_TRUE(selects(highest, plain));
    EXPECT_FALSE(selects(notHighest, plain));
    EXPECT_FALSE(selects(highest, commented));
    EXPECT_TRUE(selects(notHighest, commented));
    EXPECT_FALSE(selects(highest, without));
    EXPECT_FALSE(selects(notHighest, without));
    EXPECT_FALSE(selects(rule(RuleField::Priority, 2, "1"), plain));
    EXPECT_TRUE(selects(rule(RuleField::Priority, 0, "1"), plain));

    EXPECT_EQ(priorityDigit(winLiteral("najniższy (5)")), "5");
    EXPECT_EQ(priorityDigit("3"), "3");
    EXPECT_EQ(priorityDigit("x (2) (3)"), "2");
    EXPECT_EQ(priorityDigit(""), "");
    EXPECT_EQ(priorityDigit("niski ("), "");
}

TEST(RuleEvaluation, CharsetAndMimeVersion)
{
    TIdMessage message = messageWithHeaders({"MIME-Version: 1.0 (produced by Mailer 2)"});
    message.CharSet = "ISO-8859-2";
    EXPECT_TRUE(selects(rule(RuleField::Charset, 0, "iso-8859-2"), message));
    EXPECT_FALSE(selects(rule(RuleField::Charset, 1, "iso-8859-2"), message));
    EXPECT_TRUE(selects(rule(RuleField::Charset, 1, "us-ascii"), message));
    // Body corrections touch only the text fields.
    EXPECT_TRUE(selects(rule(RuleField::Charset, 0, "iso-8859-2"), message, 1000, true, {true, true, "-"}));
    message.CharSet.clear();
    EXPECT_TRUE(selects(rule(RuleField::Charset, 0, ""), message));

    EXPECT_TRUE(selects(rule(RuleField::MimeVersion, 0, "1.0"), message));
    EXPECT_TRUE(selects(rule(RuleField::MimeVersion, 0, "PRODUCED"), message));
    EXPECT_FALSE(selects(rule(RuleField::MimeVersion, 1, "1.0"), message));
    EXPECT_FALSE(selects(rule(RuleField::MimeVersion, 0, ""), message));
    EXPECT_TRUE(selects(rule(RuleField::MimeVersion, 1, ""), message));
    EXPECT_FALSE(selects(rule(RuleField::MimeVersion, 1, "2.0"), TIdMessage()));
}

TEST(RuleEvaluation, MailerHeaderAndUnknownCodes)
{
    const TIdMessage message = messageWithHeaders({"X-Mailer-Id: abc", "X-Mailer: The Bat!"});
    // The longer header standing first is taken for X-Mailer.
    EXPECT_FALSE(selects(rule(RuleField::Mailer, TextCondition::Contains, "the bat"), message));
    EXPECT_TRUE(selects(rule(RuleField::Mailer, TextCondition::Equals, "D: ABC"), message));
    EXPECT_FALSE(selects(rule(RuleField::Mailer, TextCondition::NotContains, "x"), TIdMessage()));

    EXPECT_FALSE(selects(rule(RuleField::Subject, 12, "a"), withSubject("a")));
    EXPECT_FALSE(selects(rule(RuleField::Subject, 255, ""), withSubject("a")));
    RuleRecord unknown = rule(RuleField::Subject, TextCondition::Contains, "a");
    unknown.typ = 10;
    EXPECT_EQ(evaluateRule(unknown, withSubject("a"), 1, true, {}), RuleOutcome::UnknownField);
    unknown.typ = 255;
    EXPECT_EQ(evaluateRule(unknown, withSubject("a"), 1, true, {}), RuleOutcome::UnknownField);
    EXPECT_EQ(cp1250ToUtf8(ruleAnalysisFaultText()), "Wystąpił krytyczny wyjątek w analizie reguł!");
}

// The check cycle evaluates every rule of a message over one set of field texts:
// corrected and folded once for the text fields, raw for the others.
TEST(RuleEvaluation, OneMessagesFieldTextsServeEveryRule)
{
    TIdMessage message = messageWithHeaders({"X-Priority: 1", "X-Mailer: Mutt/1.4i", "MIME-Version: 1.0"});
    message.Subject = "Oferta <b>DNIA</b>";
    message.From = test::address("Jan", "Jan@Example.com");
    message.Body = {"Kup <i>TERAZ</i> taniej!"};
    message.CharSet = "ISO-8859-2";
    const BodyCorrection correction{true, true, "!"};
    RuleFieldTexts fields(message, 4096, true, correction);
    RuleFieldTexts headerOnly(message, 4096, false, correction);
    const std::vector<RuleRecord> rules = {
        rule(RuleField::Body, TextCondition::Contains, "kup teraz taniej"),
        rule(RuleField::Subject, TextCondition::Equals, "OFERTA DNIA"),
        rule(RuleField::Body, TextCondition::Contains, "<i>"),
        rule(RuleField::Priority, 0, "wysoki (1)"),
        rule(RuleField::Sender, TextCondition::StartsWith, "jan@"),
        rule(RuleField::Charset, 0, "iso-8859-2"),
        rule(RuleField::Mailer, TextCondition::Contains, "MUTT"),
        rule(RuleField::MimeVersion, 0, "1.0"),
        rule(RuleField::Size, 0, "3"),
        rule(RuleField::Subject, TextCondition::Contains, "<b>"),
    };
    const std::vector<bool> expected = {true, true, false, true, true, true, true, true, true, false};
    for (size_t i = 0; i < rules.size(); ++i) {
        SCOPED_TRACE(i);
        // In any order, and the same as each rule judged on its own.
        EXPECT_EQ(evaluateRule(rules[i], fields) == RuleOutcome::Selected, expected[i]);
        EXPECT_EQ(evaluateRule(rules[rules.size() - 1 - i], fields) == RuleOutcome::Selected,
                  expected[rules.size() - 1 - i]);
        EXPECT_EQ(selects(rules[i], message, 4096, true, correction), expected[i]);
        const bool bodyRule = rules[i].typ == static_cast<uint8_t>(RuleField::Body);
        EXPECT_EQ(evaluateRule(rules[i], headerOnly) == RuleOutcome::Selected, expected[i] && !bodyRule);
    }
    RuleRecord unknown = rule(RuleField::Subject, TextCondition::Contains, "x");
    unknown.typ = 10;
    EXPECT_EQ(evaluateRule(unknown, fields), RuleOutcome::UnknownField);
}
