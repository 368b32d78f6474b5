// The account columns as the editors and the cycle both read them.
#include "engine/account_fields.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(AccountFields, SizeLimitIsThirtyNinesOrWholeKilobytes)
{
    struct Case {
        std::string size;
        int64_t messageSize;
        std::optional<bool> admitted; // nullopt: the column is refused
    };
    const Case cases[] = {
        {"50", 51200, true},
        {"50", 51201, false},
        {"0", 0, true},
        {"2147483647", int64_t{2147483647} * 1024, true}, // no wrap in 32 bits
        {std::string(kUnlimitedSizeText), int64_t{1} << 53, true},
        {std::string(29, '9'), 0, std::nullopt}, // only the thirty nines mean unlimited
        {std::string(31, '9'), 0, std::nullopt},
        {"2147483648", 0, std::nullopt},
        {"50kb", 0, std::nullopt},
        {"", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<SizeLimit> limit = accountSizeLimit(c.size);
        ASSERT_EQ(limit.has_value(), c.admitted.has_value()) << c.size;
        if (limit)
            EXPECT_EQ(limit->admits(c.messageSize), *c.admitted) << c.size << " / " << c.messageSize;
    }
}

TEST(AccountFields, ConnectionNeedsEveryColumnReadable)
{
    AccountRecord account;
    ASSERT_TRUE(accountConnection(account)) << "the defaults are usable";
    EXPECT_EQ(accountConnection(account)->pop3Port, 110);
    account.dopo = "995";
    account.ssl = "1";
    EXPECT_EQ(accountConnection(account)->security, Pop3Security::Tls);
    EXPECT_EQ(accountConnection(account)->pop3Port, 995);

    const auto broken = [](void (*spoil)(AccountRecord&)) {
        AccountRecord a;
        spoil(a);
        return accountConnection(a).has_value();
    };
    EXPECT_FALSE(broken([](AccountRecord& a) { a.dopo = "65536"; }));
    EXPECT_FALSE(broken([](AccountRecord& a) { a.dopo = ""; }));
    EXPECT_FALSE(broken([](AccountRecord& a) { a.ssl = "3"; }));
    EXPECT_FALSE(broken([](AccountRecord& a) { a.size = "duzo"; }));
    EXPECT_EQ(accountPort("25"), uint16_t{25});
    EXPECT_FALSE(accountPort("-1"));
}

} // namespace
} // namespace kestrin
