#include "text/date_time.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(DateTime, EncodesDaysSinceTheWindowsEpoch)
{
    EXPECT_EQ(encodeDateTime({1899, 12, 30, 0, 0, 0, 0}), 0.0);
    EXPECT_EQ(encodeDateTime({1900, 1, 1, 0, 0, 0, 0}), 2.0);
    EXPECT_EQ(encodeDateTime({2000, 1, 1, 12, 0, 0, 0}), 36526.5);
    EXPECT_EQ(encodeDateTime({1899, 12, 29, 6, 0, 0, 0}), -1.25);
}

TEST(DateTime, DecodeInvertsEncodeToTheMillisecond)
{
    for (const CivilDateTime c : {CivilDateTime{2024, 2, 29, 23, 59, 59, 999}, CivilDateTime{1980, 1, 1, 0, 0, 1, 0},
                                  CivilDateTime{2079, 12, 31, 13, 7, 5, 0}, CivilDateTime{1899, 12, 29, 6, 0, 0, 0}}) {
        const CivilDateTime d = decodeDateTime(encodeDateTime(c));
        EXPECT_EQ(d.year, c.year);
        EXPECT_EQ(d.month, c.month);
        EXPECT_EQ(d.day, c.day);
        EXPECT_EQ(d.hour, c.hour);
        EXPECT_EQ(d.minute, c.minute);
        EXPECT_EQ(d.second, c.second);
        EXPECT_EQ(d.millisecond, c.millisecond);
    }
}

TEST(DateTime, DecodeOfNonsenseGivesTheEpoch)
{
    const CivilDateTime d = decodeDateTime(1e300);
    EXPECT_EQ(d.year, 1899);
    EXPECT_EQ(d.day, 30);
}

} // namespace
} // namespace kestrin
