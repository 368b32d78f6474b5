// The line channel over plain TCP against scripted loopback servers.
#include "mail/line_reader.h"
#include "mail/mail_errors.h"
#include "peers/loopback_port.h"
#include "peers/scripted_server.h"
#include "platform/qt_line_channel.h"
#include "platform/qt_line_channel_factory.h"

#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace kestrin {
namespace {

using test::ScriptedServer;

constexpr int kTimeoutMs = 5000;

// A loopback listener whose accept queue is full: the system drops further
// connection attempts, so a connect to it hangs until its time-out.
class FullListener {
public:
    FullListener()
    {
        listener_ = test::listenOnLoopback(port_, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port_);
        for (int i = 0; i < 3; ++i) {
            const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
            ::connect(filler, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers_.push_back(filler);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ~FullListener()
    {
        for (const int filler : fillers_)
            ::close(filler);
        ::close(listener_);
    }
    FullListener(const FullListener&) = delete;
    FullListener& operator=(const FullListener&) = delete;
    uint16_t port() const { return port_; }

private:
    int listener_ = -1;
    uint16_t port_ = 0;
    std::vector<int> fillers_;
};

void connectTo(QtLineChannel& channel, const ScriptedServer& server)
{
    channel.connect("127.0.0.1", server.port(), kTimeoutMs, false);
    channel.setWriteTimeout(kTimeoutMs);
}

// The channel with the mail layer's line reader on it, every line read as a
// reply of its own under `limits`.
struct LineReading {
    QtLineChannel channel;
    LineReader reader{channel};
    AnswerLimits limits{16384, 1 << 20, kTimeoutMs, 0};

    std::string line()
    {
        AnswerBudget budget(limits);
        return reader.readLine(budget);
    }
};

TEST(QtLineChannel, SplitsLinesAtLfAndRemovesOneCrOnly)
{
    ScriptedServer server(
        {"S~ crlf\r\nbare lf\nmid\rdle\r\ntwo crs\r\r\n\r\n\nlast\r\n", "C: sent line", "C: raw bytes"});
    LineReading r;
    connectTo(r.channel, server);
    for (const char* expected : {"crlf", "bare lf", "mid\rdle", "two crs\r", "", "", "last"})
        EXPECT_EQ(r.line(), expected);
    r.channel.writeLine("sent line");
    r.channel.write("raw ");
    r.channel.write("bytes\r\n");
    EXPECT_TRUE(r.channel.isOpen());
    r.channel.close();
    EXPECT_FALSE(r.channel.isOpen());
    EXPECT_TRUE(server.finish().empty());
}

TEST(QtLineChannel, ManyLinesInOneBurstArriveWholeAndInOrder)
{
    std::string burst;
    for (int i = 0; i < 50000; ++i)
        burst += "line " + std::to_string(i) + (i % 3 == 0 ? "\n" : "\r\n");
    ScriptedServer server({"S~ " + burst, "CLOSE"});
    LineReading r;
    connectTo(r.channel, server);
    int mismatches = 0;
    for (int i = 0; i < 50000; ++i)
        mismatches += r.line() == "line " + std::to_string(i) ? 0 : 1;
    EXPECT_EQ(mismatches, 0);
    EXPECT_THROW(r.line(), EIdConnClosedGracefully);
    server.finish();
}

TEST(QtLineChannel, LinesUpToTheMaximumPassLongerOnesRaise)
{
    const std::string exact(40, 'x');
    ScriptedServer server(
        {"S: " + exact, "S~ " + exact + "\n", "S~ " + exact + "\r", "WAIT 100", "S~ \n", "S: " + exact + "y", "CLOSE"});
    LineReading r;
    connectTo(r.channel, server);
    r.limits.maxLineLength = exact.size();
    EXPECT_EQ(r.line(), exact);
    EXPECT_EQ(r.line(), exact);
    // A CR that may still be followed by LF does not count as the line's.
    EXPECT_EQ(r.line(), exact);
    try {
        r.line();
        ADD_FAILURE() << "over-long line read";
    } catch (const EIdReadLnMaxLineLengthExceeded& error) {
        EXPECT_STREQ(error.what(), "Max line length exceeded.");
    }
    server.finish();
}

TEST(QtLineChannel, EndlessLineWithoutLfRaisesBeforeTheTimeOut)
{
    ScriptedServer server({"S~ " + std::string(20000, 'a'), "WAIT 200", "S~ " + std::string(30000, 'b'), "WAIT 500"});
    LineReading r;
    connectTo(r.channel, server);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(r.line(), EIdReadLnMaxLineLengthExceeded);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kTimeoutMs));
    r.channel.close();
    server.finish();
}

// Every case sends 16 pieces of "xxxx", `gapMs` apart, then the line end.
struct BudgetCase {
    const char* name;
    int gapMs;
    AnswerLimits limits;
    bool read; // false: EIdReadTimeout or EIdAnswerTooLarge
};

TEST(QtLineChannel, AnswerBudgetBoundsTimeAndSizeNotOnlyIdleGaps)
{
    const BudgetCase cases[] = {
        {"fast line within the wait", 0, {1000, 1000, 1000, 0}, true},
        // Each gap is far below the wait, yet the whole line is not.
        {"trickle past the total wait", 60, {1000, 1000, 300, 0}, false},
        {"steady rate after the first wait", 60, {1000, 1000, 100, 60}, true},
        {"trickle below the minimum rate", 60, {1000, 1000, 100, 200}, false},
        {"answer over its total", 0, {1000, 40, 1000, 0}, false},
    };
    for (const BudgetCase& c : cases) {
        std::vector<std::string> script;
        for (int i = 0; i < 16; ++i) {
            script.push_back("S~ xxxx");
            script.push_back("WAIT " + std::to_string(c.gapMs));
        }
        script.push_back("S~ \r\n");
        script.push_back("WAIT 300");
        ScriptedServer server(script);
        LineReading r;
        connectTo(r.channel, server);
        r.limits = c.limits;
        bool read = false;
        try {
            read = r.line() == std::string(64, 'x');
        } catch (const EIdReadTimeout&) {
        } catch (const EIdAnswerTooLarge& error) {
            EXPECT_STREQ(error.what(), "Server answer too large.") << c.name;
        }
        EXPECT_EQ(read, c.read) << c.name;
        r.channel.close();
        server.finish();
    }
}

TEST(QtLineChannel, UnreadBytesShowAServerOutOfStep)
{
    ScriptedServer server({"S~ +OK one\r\n+OK two\r\n", "WAIT 300", "S: +OK late", "WAIT 300"});
    LineReading r;
    connectTo(r.channel, server);
    EXPECT_EQ(r.line(), "+OK one");
    EXPECT_TRUE(r.reader.hasUnreadBytes());
    EXPECT_EQ(r.line(), "+OK two");
    EXPECT_FALSE(r.reader.hasUnreadBytes());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // Arrived without being read: the reader would take it for the next reply.
    EXPECT_TRUE(r.reader.hasUnreadBytes());
    r.reader.clear();
    EXPECT_TRUE(r.channel.isOpen());
    server.finish();
}

TEST(QtLineChannel, SilenceRaisesReadTimeoutAndClosedPeerRaisesClosedGracefully)
{
    ScriptedServer server({"WAIT 600", "S: late", "S~ unfinished", "CLOSE"});
    LineReading r;
    connectTo(r.channel, server);
    r.limits.waitMs = 200;
    try {
        r.line();
        ADD_FAILURE() << "no time-out";
    } catch (const EIdReadTimeout& error) {
        EXPECT_STREQ(error.what(), "Read Timeout");
    }
    r.limits.waitMs = kTimeoutMs;
    EXPECT_EQ(r.line(), "late");
    try {
        r.line();
        ADD_FAILURE() << "no close reported";
    } catch (const EIdConnClosedGracefully& error) {
        EXPECT_STREQ(error.what(), "Connection Closed Gracefully.");
    }
    EXPECT_FALSE(r.channel.isOpen());
    EXPECT_THROW(r.line(), EIdNotConnected);
    EXPECT_TRUE(server.finish().empty());
}

TEST(QtLineChannel, ReportsNotConnectedAlreadyConnectedAndRefused)
{
    LineReading r;
    QtLineChannel& channel = r.channel;
    try {
        r.line();
        ADD_FAILURE() << "read without a connection";
    } catch (const EIdNotConnected& error) {
        EXPECT_STREQ(error.what(), "Not connected.");
    }
    EXPECT_THROW(channel.writeLine("x"), EIdNotConnected);
    EXPECT_THROW(channel.startTls(), EIdNotConnected);

    ScriptedServer server({"S: hello"});
    connectTo(channel, server);
    try {
        channel.connect("127.0.0.1", server.port(), kTimeoutMs, false);
        ADD_FAILURE() << "second connect accepted";
    } catch (const EIdAlreadyConnected& error) {
        EXPECT_STREQ(error.what(), "Already connected.");
    }
    EXPECT_EQ(r.line(), "hello");
    channel.close();
    EXPECT_THROW(channel.write("x"), EIdNotConnected);
    server.finish();

    const uint16_t unused = test::freeLoopbackPort();
    try {
        channel.connect("127.0.0.1", unused, kTimeoutMs, false);
        ADD_FAILURE() << "connected to a port nobody listens on";
    } catch (const EIdSocketError& error) {
        EXPECT_STREQ(error.what(), "Connection refused");
    }
    EXPECT_FALSE(channel.isOpen());
}

TEST(QtLineChannel, AbortFromAnotherThreadWakesABlockedReadAndStaysFinal)
{
    ScriptedServer server({"WAIT 2500"});
    LineReading r;
    QtLineChannel& channel = r.channel;
    connectTo(channel, server);
    r.limits.waitMs = 0;
    std::thread aborter([&channel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        channel.abort();
    });
    const auto start = std::chrono::steady_clock::now();
    try {
        r.line();
        ADD_FAILURE() << "read returned";
    } catch (const EIdAborted& error) {
        EXPECT_STREQ(error.what(), "Operation aborted.");
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    aborter.join();
    // Without the abort the read would wait for the server's 2.5 s of silence.
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    EXPECT_FALSE(channel.isOpen());
    EXPECT_THROW(r.line(), EIdAborted);
    EXPECT_THROW(channel.connect("127.0.0.1", server.port(), kTimeoutMs, false), EIdAborted);
    server.finish();
}

TEST(QtLineChannel, ConnectTimesOutAndAbortWakesABlockedConnect)
{
    FullListener full;
    QtLineChannel timed;
    try {
        timed.connect("127.0.0.1", full.port(), 300, false);
        ADD_FAILURE() << "connected to a full listener";
    } catch (const EIdConnectTimeout& error) {
        EXPECT_STREQ(error.what(), "Connect timed out.");
    }
    EXPECT_FALSE(timed.isOpen());

    QtLineChannel unlimited;
    std::thread aborter([&unlimited] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        unlimited.abort();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_THROW(unlimited.connect("127.0.0.1", full.port(), 0, false), EIdAborted);
    const auto waited = std::chrono::steady_clock::now() - start;
    aborter.join();
    // The system's own connect limit is minutes; only the abort ends this wait soon.
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    EXPECT_FALSE(unlimited.isOpen());
}

TEST(QtLineChannel, WorksFromAThreadWithoutEventLoop)
{
    ScriptedServer server({"S: greeting", "C: NOOP", "S: +OK"});
    QtLineChannelFactory factory;
    auto channel = factory.create();
    LineReader reader(*channel);
    std::string greeting;
    std::string reply;
    std::string failure;
    std::thread worker([&] {
        try {
            channel->connect("localhost", server.port(), kTimeoutMs, false);
            AnswerBudget greetingBudget(replyLimits(100, 1, kTimeoutMs));
            greeting = reader.readLine(greetingBudget);
            channel->writeLine("NOOP");
            AnswerBudget replyBudget(replyLimits(100, 1, kTimeoutMs));
            reply = reader.readLine(replyBudget);
            channel->close();
        } catch (const std::exception& error) {
            failure = error.what();
        }
    });
    worker.join();
    EXPECT_EQ(failure, "");
    EXPECT_EQ(greeting, "greeting");
    EXPECT_EQ(reply, "+OK");
    EXPECT_TRUE(server.finish().empty());
}

} // namespace
} // namespace kestrin
