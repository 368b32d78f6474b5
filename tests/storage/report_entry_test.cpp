#include "storage/report_entry.h"

#include "text/cp1250.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

const std::string kSep = "|\xA6|";

std::vector<std::string> twelveFields()
{
    return {"<a1@example.pl>",
            "2025-01-14 / 09:30:00",
            "ad",
            winLiteral("(Filtr Bayesa)"),
            "Praca",
            winLiteral("Paweł"),
            "pawel@example.pl",
            winLiteral("Zażółć gęślą jaźń"),
            "1 kb",
            "kredyt tani",
            "0",
            "0"};
}

std::string mailLine()
{
    return "mail|" + joinMailFields(twelveFields());
}

TEST(ReportEntry, SplitsOnceAtTheFirstBar)
{
    const ReportEntry error = splitReportEntry("error|Nie można|x" + kSep + "detail");
    EXPECT_EQ(error.kind, "error");
    EXPECT_EQ(error.payload, "Nie można|x" + kSep + "detail");
    EXPECT_EQ(buildReportEntry(error.kind, error.payload), "error|Nie można|x" + kSep + "detail");

    const ReportEntry empty = splitReportEntry("run|");
    EXPECT_EQ(empty.kind, "run");
    EXPECT_EQ(empty.payload, "");

    // No bar at all: no known kind, so no command can act on it.
    const ReportEntry bare = splitReportEntry("mail");
    EXPECT_EQ(bare.kind, "");
    EXPECT_EQ(bare.payload, "mail");
    EXPECT_EQ(splitReportEntry("").kind, "");
}

TEST(ReportEntry, MailFieldsUseTheBrokenBarSeparatorAndLeaveTheRestInTheLastField)
{
    EXPECT_EQ(kMailFieldSeparator, "|\xA6|");
    EXPECT_EQ(kMailFieldSeparator, winLiteral("|¦|"));

    const std::vector<std::string> fields = splitMailFields(splitReportEntry(mailLine()).payload);
    ASSERT_EQ(fields.size(), kMailFieldCount);
    EXPECT_EQ(fields, twelveFields());

    // A thirteenth separator stays inside field 11.
    const std::vector<std::string> extra = splitMailFields(joinMailFields(twelveFields()) + kSep + "tail");
    ASSERT_EQ(extra.size(), kMailFieldCount);
    EXPECT_EQ(extra.back(), "0" + kSep + "tail");
    // A plain bar or a lone broken bar is no separator.
    EXPECT_EQ(splitMailFields("a|b\xA6"
                              "c")
                  .size(),
              1u);
}

TEST(ReportEntry, ShortPayloadsGiveFewerFields)
{
    EXPECT_EQ(splitMailFields("<id>" + kSep + "date"), (std::vector<std::string>{"<id>", "date"}));
    EXPECT_EQ(splitMailFields(""), std::vector<std::string>{""});
}

TEST(ReportEntry, SizeFieldIsWholeKilobytes)
{
    EXPECT_EQ(mailSizeText(1500), "1 kb");
    EXPECT_EQ(mailSizeText(900), "0 kb");
    EXPECT_EQ(mailSizeText(-1), "0 kb");
    EXPECT_EQ(mailSizeText(0), "0 kb");
    EXPECT_EQ(mailSizeText(1023), "0 kb");
    EXPECT_EQ(mailSizeText(1024), "1 kb");
    EXPECT_EQ(mailSizeText(51201), "50 kb");
    EXPECT_EQ(mailSizeText(2147483647), "2097151 kb");
    EXPECT_EQ(mailSizeText(-5000), "0 kb");
}

TEST(ReportEntry, RunEntryCarriesTheStartTime)
{
    const TDateTime now = encodeDateTime({2025, 3, 7, 8, 5, 9, 0});
    EXPECT_EQ(runEntry(now), "run|Uruchomienie aplikacji: 2025-03-07 / 08:05:09");
    EXPECT_EQ(splitReportEntry(runEntry(now)).kind, kReportKindRun);
}

} // namespace
} // namespace kestrin
