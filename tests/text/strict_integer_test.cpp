#include "text/convert_error.h"
#include "text/strict_integer.h"

#include <gtest/gtest.h>

#include <limits>

namespace kestrin {
namespace {

TEST(StrictInteger, AcceptsOnlySignedDecimalDigitsWithinTheRange)
{
    EXPECT_EQ(strictIntegerInRange("+0", 0, 255), 0);
    EXPECT_EQ(strictIntegerInRange("-0", 0, 255), 0);
    EXPECT_EQ(strictIntegerInRange("255", 0, 255), 255);
    EXPECT_EQ(strictIntegerInRange("4294967295", 0, 4294967295LL), 4294967295LL);
    EXPECT_EQ(strictIntegerInRange("-9223372036854775808", std::numeric_limits<int64_t>::min(), 0),
              std::numeric_limits<int64_t>::min());
    for (const char* bad : {"", "+", "-", " 1", "1 ", "0x10", "$10", "1e3", "12abc", "256", "-1", "9223372036854775808",
                            "99999999999999999999999"})
        EXPECT_THROW(strictIntegerInRange(bad, 0, 255), EConvertError) << bad;
    try {
        strictInteger("2147483648");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'2147483648' is not a valid integer value");
    }
}

} // namespace
} // namespace kestrin
