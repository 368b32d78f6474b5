#include "text/date_text.h"

#include <gtest/gtest.h>

using namespace kestrin;

TEST(DateText, ShortDateSlashLongTime)
{
    const TDateTime value = encodeDateTime({2024, 3, 7, 9, 5, 4, 0});
    EXPECT_EQ(dateText(value), "2024-03-07 / 09:05:04");
    EXPECT_EQ(defaultDateTimeText(value), "2024-03-07 09:05:04");
    EXPECT_EQ(dateText(0), "1899-12-30 / 00:00:00");
    EXPECT_EQ(dateText(encodeDateTime({1999, 12, 31, 23, 59, 59, 999})), "1999-12-31 / 23:59:59");
}
