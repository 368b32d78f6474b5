#include "storage/mail_report_entry.h"

#include "storage/report_entry.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

const std::string kSep = "|\xA6|";

std::string joined(const std::vector<std::string>& fields)
{
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i)
        text += (i == 0 ? "" : kSep) + fields[i];
    return text;
}

const std::string kEntry =
    joined({"<a1@example.pl>", "2025-01-14 / 09:30:00", "ad", winLiteral("(Filtr Bayesa)"), "Praca",
            winLiteral("Paweł"), "pawel@example.pl", winLiteral("Zażółć gęślą jaźń"), "1 kb", "kredyt tani", "0", "0"});

TEST(MailReportEntry, NamesTheTwelveFieldsInFileOrder)
{
    const std::optional<MailReportEntry> entry = parseMailReportEntry(kEntry);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->messageId, "<a1@example.pl>");
    EXPECT_EQ(entry->date, "2025-01-14 / 09:30:00");
    EXPECT_EQ(entry->actions, "ad");
    EXPECT_EQ(entry->cause, winLiteral("(Filtr Bayesa)"));
    EXPECT_EQ(entry->account, "Praca");
    EXPECT_EQ(entry->senderName, winLiteral("Paweł"));
    EXPECT_EQ(entry->senderAddress, "pawel@example.pl");
    EXPECT_EQ(entry->subject, winLiteral("Zażółć gęślą jaźń"));
    EXPECT_EQ(entry->size, "1 kb");
    EXPECT_EQ(entry->topWords, "kredyt tani");
    EXPECT_TRUE(entry->deleteMark.is(DeleteMark::Unmarked));
    EXPECT_TRUE(entry->bayesMark.is(BayesMark::Unmarked));
    EXPECT_TRUE(entry->deleted());
}

// Whatever a file holds, an entry read and written back is the same bytes;
// a payload without all twelve fields is no entry.
TEST(MailReportEntry, RoundTripsEveryTwelveFieldPayloadAndRefusesShorterOnes)
{
    const struct {
        const char* name;
        std::string payload;
        bool entry;
    } cases[] = {
        {"real entry", kEntry, true},
        {"empty fields", joined(std::vector<std::string>(12)), true},
        {"bar in the last field", joined({"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "0", "0|x|"}), true},
        {"lone broken bars", joined({"\xA6", "|\xA6", "\xA6|", "", "", "", "", "", "", "", "\xA6", "\xA6\xA6"}), true},
        {"thirteen fields", kEntry + kSep + "tail", true},
        {"unknown marks", joined({"", "", "", "", "", "", "", "", "", "", "00", " 2"}), true},
        {"separator at the end", kEntry + kSep, true},
        {"eleven fields", joined(std::vector<std::string>(11)), false},
        {"one field", "mail", false},
        {"nothing", "", false},
        {"bars but no separators", "a|b|c\xA6|d", false},
    };
    for (const auto& c : cases) {
        const std::optional<MailReportEntry> entry = parseMailReportEntry(c.payload);
        ASSERT_EQ(entry.has_value(), c.entry) << c.name;
        if (entry)
            EXPECT_EQ(formatMailReportEntry(*entry), c.payload) << c.name;
    }
}

TEST(MailReportEntry, MarksKnowTheirDigitsAndKeepUnknownText)
{
    const struct {
        std::string deleteText;
        std::string bayesText;
        std::optional<DeleteMark> deleteMark;
        std::optional<BayesMark> bayesMark;
    } cases[] = {
        {"0", "0", DeleteMark::Unmarked, BayesMark::Unmarked},
        {"1", "1", DeleteMark::Marked, BayesMark::Good},
        {"1", "2", DeleteMark::Marked, BayesMark::Spam},
        {"2", "3", std::nullopt, std::nullopt},
        {"", "00", std::nullopt, std::nullopt},
    };
    for (const auto& c : cases) {
        const auto entry =
            parseMailReportEntry(joined({"", "", "", "", "", "", "", "", "", "", c.deleteText, c.bayesText}));
        ASSERT_TRUE(entry);
        for (const DeleteMark mark : {DeleteMark::Unmarked, DeleteMark::Marked})
            EXPECT_EQ(entry->deleteMark.is(mark), c.deleteMark == mark) << c.deleteText;
        for (const BayesMark mark : {BayesMark::Unmarked, BayesMark::Good, BayesMark::Spam})
            EXPECT_EQ(entry->bayesMark.is(mark), c.bayesMark == mark) << c.bayesText;
        EXPECT_EQ(entry->deleteMark.text(), c.deleteText);
        EXPECT_EQ(entry->bayesMark.text(), c.bayesText);
    }
}

TEST(MailReportEntry, SettingAMarkChangesOnlyThatField)
{
    std::optional<MailReportEntry> entry = parseMailReportEntry(kEntry);
    ASSERT_TRUE(entry);
    std::vector<std::string> expected = splitMailFields(kEntry);
    entry->bayesMark = BayesMark::Spam;
    expected[11] = "2";
    EXPECT_EQ(formatMailReportEntry(*entry), joined(expected));
    entry->deleteMark = DeleteMark::Marked;
    expected[10] = "1";
    EXPECT_EQ(formatMailReportEntry(*entry), joined(expected));

    // The last field holds the rest of the payload: the deletion mark keeps it, the Bayes mark replaces it.
    std::optional<MailReportEntry> longer = parseMailReportEntry(kEntry + kSep + "tail");
    ASSERT_TRUE(longer);
    longer->deleteMark = DeleteMark::Marked;
    std::vector<std::string> withTail = expected;
    withTail[11] = "0" + kSep + "tail";
    EXPECT_EQ(formatMailReportEntry(*longer), joined(withTail));
    longer->bayesMark = BayesMark::Spam;
    EXPECT_EQ(formatMailReportEntry(*longer), joined(expected));
}

} // namespace
} // namespace kestrin
