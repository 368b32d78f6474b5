#include "mail/mail_date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace kestrin {
namespace {

// Runs each test in a known zone and puts back whatever TZ the run had.
class MailDate : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            savedTz_ = tz;
        useZone("Europe/Warsaw");
    }

    void TearDown() override
    {
        if (savedTz_)
            setenv("TZ", savedTz_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

    static void useZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }

    static TDateTime at(int year, int month, int day, int hour, int minute, int second = 0)
    {
        return encodeDateTime({year, month, day, hour, minute, second, 0});
    }

private:
    std::optional<std::string> savedTz_;
};

TEST_F(MailDate, NumericZoneIsSubtractedThenMovedToLocalTime)
{
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 +0200 (CEST)"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 CEST"), at(2002, 9, 2, 12, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 GMT"), at(2002, 9, 2, 12, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 10:00:00 -0700 (PDT)"), at(2002, 9, 2, 19, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Tue, 15 Jan 2002 10:00:00 +0000"), at(2002, 1, 15, 11, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Sat, 31 Aug 2002 23:30:00 -0130"), at(2002, 9, 1, 3, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("  Mon, 2 Sep 2002 10:00:05 +0545  "), at(2002, 9, 2, 6, 15, 5));
}

TEST_F(MailDate, TheComputersZoneComesFromTz)
{
    useZone("UTC");
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 +0200"), at(2002, 9, 2, 8, 0));
    useZone("America/New_York");
    EXPECT_DOUBLE_EQ(parseMailDate("Mon, 2 Sep 2002 10:00:00 +0200"), at(2002, 9, 2, 4, 0));
}

TEST_F(MailDate, DateWordOrders)
{
    EXPECT_DOUBLE_EQ(parseMailDate("02-Sep-2002 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Sep 2 2002 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Sep-2-2002 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Mon Sep  2 10:00:00 2002"), at(2002, 9, 2, 12, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 10:00:00 2002"), at(2002, 9, 2, 12, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("Monday, September 2, 2002 10:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("mon, 2 sep 2002 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
}

TEST_F(MailDate, TwoDigitYears)
{
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 02 10:00:00 +0200"), at(2002, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 79 10:00:00 +0100"), at(2079, 9, 2, 11, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 80 10:00:00 +0200"), at(1980, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 99 10:00:00 +0200"), at(1999, 9, 2, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 102 10:00:00 +0000"), at(102, 9, 2, 11, 24));
}

TEST_F(MailDate, TwelveHourClockAndShortTimes)
{
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 12:30 AM +0000"), at(2002, 9, 2, 2, 30));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 1:15 PM +0000"), at(2002, 9, 2, 15, 15));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 12:10 PM +0000"), at(2002, 9, 2, 14, 10));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 10:07 +0000"), at(2002, 9, 2, 12, 7));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 10 +0000"), at(2002, 9, 2, 2, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002"), at(2002, 9, 2, 2, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 23:59:60 +0000"), at(2002, 9, 3, 1, 59, 59));
}

TEST_F(MailDate, EmptyAndUnparseableValues)
{
    EXPECT_EQ(parseMailDate(""), 0.0);
    EXPECT_EQ(parseMailDate(" \t "), 0.0);
    useZone("UTC");
    EXPECT_EQ(parseMailDate("garbage"), 0.0);
    EXPECT_EQ(parseMailDate("Mon,"), 0.0);
    EXPECT_DOUBLE_EQ(parseMailDate("31 Feb 2002 10:00:00 +0000"), at(1899, 12, 30, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Foo 2002 10:00:00 +0000"), at(1899, 12, 30, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("32 Sep 2002 10:00 -0100"), at(1899, 12, 30, 11, 0));
}

TEST_F(MailDate, OutOfRangeNumbersCountAsUnparseable)
{
    useZone("UTC");
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 99999999999999999999 10:00:00 +0000"), at(1899, 12, 30, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 10000 10:00:00 +0000"), at(1899, 12, 30, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("99999999999 Sep 2002 10:00:00 +0000"), at(1899, 12, 30, 10, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 99:00:00 +0000"), at(2002, 9, 2, 0, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 10:99 +0000"), at(2002, 9, 2, 0, 0));
    EXPECT_DOUBLE_EQ(parseMailDate("2 Sep 2002 99999999999999:0 +0000"), at(2002, 9, 2, 0, 0));
    EXPECT_NEAR(parseMailDate("2 Sep 2002 10:00:00 +9999"), at(2002, 9, 2, 10, 0) - (99 * 60 + 99) / 1440.0, 1e-9);
    EXPECT_DOUBLE_EQ(parseMailDate("31 Dec 9999 23:00:00 -0500"), at(10000, 1, 1, 4, 0));
}

TEST_F(MailDate, HostileTextStaysInBounds)
{
    for (const char* text : {"-", "--", "Mon", "Mon, ", "2", "2 Sep", "2-", "Sep", ":",
                             "2 Sep 2002 :", "2 Sep 2002 ::::", "2 Sep 2002 10:00 +", "2 Sep 2002 10:00 -12",
                             "\xff\xfe", "2\t\tSep\t2002\t10:00"}) {
        const TDateTime value = parseMailDate(text);
        EXPECT_TRUE(value > -3 && value < 40000) << text;
    }
    const std::string longText = "Mon, " + std::string(100000, '9') + " Sep " + std::string(100000, ':');
    EXPECT_LT(parseMailDate(longText), 1.0);
}

} // namespace
} // namespace kestrin
