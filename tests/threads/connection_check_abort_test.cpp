// The account editor's connection test is aborted from the window's thread
// while its own thread connects, waits for a greeting or has just finished:
// run() must end at once every time, without a race.
#include "engine/connection_check.h"
#include "peers/loopback_port.h"
#include "platform/qt_line_channel_factory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <unistd.h>

namespace kestrin {
namespace {

TEST(ConnectionCheckAbort, AbortAtAnyMomentEndsASilentServerWait)
{
    uint16_t port = 0;
    const int listener = test::listenOnLoopback(port, 64); // accepts nothing, never greets
    AccountRecord account;
    account.pop3 = account.smtp = "127.0.0.1";
    account.dopo = account.uppo = std::to_string(port);
    account.user = "alice";
    account.pass = "secret";
    const auto channels = std::make_shared<QtLineChannelFactory>(std::string());
    for (int delayMs : {0, 1, 5, 20, 100, 300}) {
        SCOPED_TRACE(delayMs);
        AccountConnectionCheck check(account, channels, 60000);
        ConnectionCheckResult result;
        const auto started = std::chrono::steady_clock::now();
        std::thread worker([&] { result = check.run(); });
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        check.abort();
        worker.join();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
        EXPECT_FALSE(result.loggedIn);
        EXPECT_FALSE(result.smtpAnswered) << "an aborted check opens no second connection";
    }
    ::close(listener);
}

} // namespace
} // namespace kestrin
