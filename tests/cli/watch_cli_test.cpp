// `kestrin-cli watch` as a background process: cycles until SIGINT or SIGTERM,
// which stop a running cycle, and then the save-all sequence.
#include "cli_process.h"
#include "cli_run.h"
#include "peers/dovecot_peer.h"
#include "peers/loopback_port.h"
#include "platform/single_instance.h"
#include "platform/system_internet_check.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <csignal>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

constexpr int kWaitMs = 20000;

// Accepts connections into its queue but never answers: a session waits for
// the greeting until its read time-out.
class SilentServer {
public:
    SilentServer() : fd_(listenOnLoopback(port_, 8)) {}
    ~SilentServer() { ::close(fd_); }
    uint16_t port() const { return port_; }

private:
    uint16_t port_ = 0; // before fd_: the listening socket writes it
    int fd_ = -1;
};

class WatchCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        home = fs::temp_directory_path() / ("kestrin-watch-cli-" + std::to_string(::getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home);
        fs::create_directories(home);
    }
    void TearDown() override { fs::remove_all(home); }

    void writeAccount(uint16_t port, const std::string& size = "50")
    {
        AccountRecord account;
        account.name = "Skrzynka";
        account.pop3 = "127.0.0.1";
        account.dopo = std::to_string(port);
        account.user = "alice";
        account.pass = "secret";
        account.size = size;
        saveAccounts(home.string(), {account});
    }
    void writeSettings(int32_t mailWaitPosition = 5)
    {
        Settings settings = defaultSettings(home.string(), localNow());
        settings.skipNetCheck = true;
        settings.mailWait = mailWaitPosition;
        saveSettingsFile(home.string(), settings);
    }
    std::vector<std::string> report() const { return loadReportFile(reportFilePath(home.string())); }
    StatsTotals stats() const { return loadSettingsFile(home.string(), localNow()).stats; }
    std::unique_ptr<CliProcess> startWatch() const
    {
        return std::make_unique<CliProcess>(std::vector<std::string>{"watch", "--home", home.string()}, home.string());
    }

    fs::path home;
};

TEST_F(WatchCliTest, StopsOnEitherSignalWhileWaitingAndSaves)
{
    for (const int signal : {SIGTERM, SIGINT}) {
        fs::remove_all(home / "config");
        auto watch = startWatch();
        ASSERT_TRUE(watch->waitForErr("Nie skonfigurowano żadnych kont pocztowych!", kWaitMs)) << watch->err();
        // The waiting watch holds the user's lock: a check is refused, on any folder.
        EXPECT_EQ(runCli({"check", "--home", home.string()}).status, 2);
        EXPECT_EQ(runCli({"check", "--home", (home / "elsewhere").string()}).status, 2);
        watch->signal(signal);
        EXPECT_EQ(watch->waitForExit(kWaitMs), 0) << "signal " << signal << ": " << watch->err();
        EXPECT_TRUE(fs::exists(settingsFilePath(home.string())));
        const auto saved = report();
        ASSERT_EQ(saved.size(), 1u);
        EXPECT_EQ(saved[0].rfind("run|", 0), 0u);
        SingleInstanceLock after;
        EXPECT_TRUE(after.tryLock()) << "the lock goes with the process";
    }
}

TEST_F(WatchCliTest, SignalCancelsARunningCycleWithoutChangingAnything)
{
    if (!SystemInternetCheck().connected())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    SilentServer server;
    writeAccount(server.port());
    RuleRecord rule;
    rule.name = "Wszystko";
    rule.typ = 3;
    rule.sub = 1; // "nie zawiera treści": selects any subject without the text
    rule.str = "nigdy";
    saveRules(home.string(), {rule});
    writeSettings(15); // "60 sek": the read would wait a minute without the cancel

    auto watch = startWatch();
    ASSERT_TRUE(watch->waitForErr("próba 1 z 3", kWaitMs)) << watch->err();
    watch->signal(SIGTERM);
    EXPECT_EQ(watch->waitForExit(kWaitMs), 0) << watch->err();
    EXPECT_TRUE(watch->out().empty()) << watch->out();
    EXPECT_EQ(watch->err().find("próba 2 z 3"), std::string::npos) << "no further attempt after the cancel";
    const auto saved = report();
    ASSERT_EQ(saved.size(), 1u) << "no error entry for a cancelled connection";
    EXPECT_EQ(saved[0].rfind("run|", 0), 0u);
    EXPECT_EQ(stats().err, 0u);
}

TEST_F(WatchCliTest, CycleResultsAreSavedWhenStopped)
{
    if (!DovecotPeer::installed())
        GTEST_SKIP() << "dovecot is not installed";
    if (!SystemInternetCheck().connected())
        GTEST_SKIP() << "no network interface: the cycle would not contact the server";
    DovecotPeer dovecot;
    dovecot.deliver("alice",
                    "From: spam@example.net\r\nSubject: Kup teraz\r\nMessage-ID: <s1@example.net>\r\n\r\nx\r\n");
    dovecot.deliver("alice", "From: jan@example.org\r\nSubject: Obiad\r\nMessage-ID: <j1@example.org>\r\n\r\ny\r\n");
    writeAccount(dovecot.pop3Port());
    RuleRecord rule;
    rule.name = "Reklamy";
    rule.typ = 1;
    rule.sub = 0;
    rule.str = "example.net";
    rule.act = {false, false, false, true};
    saveRules(home.string(), {rule});
    writeSettings();

    auto watch = startWatch();
    ASSERT_TRUE(watch->waitForErr("Czuwanie...", kWaitMs)) << watch->err();
    watch->signal(SIGTERM);
    EXPECT_EQ(watch->waitForExit(kWaitMs), 0) << watch->err();
    EXPECT_EQ(dovecot.messageFiles("alice").size(), 1u);
    const auto saved = report();
    ASSERT_EQ(saved.size(), 3u);
    EXPECT_NE(saved[0].find("<j1@example.org>"), std::string::npos);
    EXPECT_NE(saved[1].find("Reklamy"), std::string::npos);
    EXPECT_EQ(stats().checkMsg, 2u);
    EXPECT_EQ(stats().delMsg, 1u);
    EXPECT_EQ(loadRules(home.string())[0].stat, 1u);
}

} // namespace
} // namespace kestrin::test
