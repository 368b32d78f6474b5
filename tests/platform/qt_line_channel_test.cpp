// The line channel over plain TCP against scripted loopback servers.
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
    channel.setReadTimeout(kTimeoutMs);
}

TEST(QtLineChannel, SplitsLinesAtLfAndRemovesOneCrOnly)
{
    ScriptedServer server(
        {"S~ crlf\r\nbare lf\nmid\rdle\r\ntwo crs\r\r\n\r\n\nlast\r\n", "C: sent line", "C: raw bytes"});
    QtLineChannel channel;
    connectTo(channel, server);
    EXPECT_EQ(channel.readLine(), "crlf");
    EXPECT_EQ(channel.readLine(), "bare lf");
    EXPECT_EQ(channel.readLine(), "mid\rdle");
    EXPECT_EQ(channel.readLine(), "two crs\r");
    EXPECT_EQ(channel.readLine(), "");
    EXPECT_EQ(channel.readLine(), "");
    EXPECT_EQ(channel.readLine(), "last");
    channel.writeLine("sent line");
    channel.write("raw ");
    channel.write("bytes\r\n");
    EXPECT_TRUE(channel.isOpen());
    channel.close();
    EXPECT_FALSE(channel.isOpen());
    EXPECT_TRUE(server.finish().empty());
}

TEST(QtLineChannel, ManyLinesInOneBurstArriveWholeAndInOrder)
{
    std::string burst;
    for (int i = 0; i < 50000; ++i)
        burst += "line " + std::to_string(i) + (i % 3 == 0 ? "\n" : "\r\n");
    ScriptedServer server({"S~ " + burst, "CLOSE"});
    QtLineChannel channel;
    connectTo(channel, server);
    int mismatches = 0;
    for (int i = 0; i < 50000; ++i)
        mismatches += channel.readLine() == "line " + std::to_string(i) ? 0 : 1;
    EXPECT_EQ(mismatches, 0);
    EXPECT_THROW(channel.readLine(), EIdConnClosedGracefully);
    server.finish();
}

TEST(QtLineChannel, LinesUpToTheMaximumPassLongerOnesRaise)
{
    const std::string exact(40, 'x');
    ScriptedServer server({"S: " + exact, "S~ " + exact + "\n", "S~ " + exact + "\r", "WAIT 100", "S~ \n",
                           "S: " + exact + "y", "S: after", "CLOSE"});
    QtLineChannel channel;
    connectTo(channel, server);
    channel.setMaxLineLength(exact.size());
    EXPECT_EQ(channel.readLine(), exact);
    EXPECT_EQ(channel.readLine(), exact);
    // A CR that may still be followed by LF does not count as the line's.
    EXPECT_EQ(channel.readLine(), exact);
    EXPECT_THROW(
        {
            try {
                channel.readLine();
            } catch (const EIdReadLnMaxLineLengthExceeded& error) {
                EXPECT_STREQ(error.what(), "Max line length exceeded.");
                throw;
            }
        },
        EIdReadLnMaxLineLengthExceeded);
    // The long line was dropped whole: the reader is in step with the peer again.
    EXPECT_EQ(channel.readLine(), "after");
    server.finish();
}

TEST(QtLineChannel, EndlessLineWithoutLfRaisesBeforeTheTimeOut)
{
    ScriptedServer server({"S~ " + std::string(20000, 'a'), "WAIT 200", "S~ " + std::string(30000, 'b'), "WAIT 200",
                           "S: tail", "S: next", "WAIT 500"});
    QtLineChannel channel;
    connectTo(channel, server);
    EXPECT_THROW(channel.readLine(), EIdReadLnMaxLineLengthExceeded);
    // Everything up to the line's LF is dropped, however late it comes.
    EXPECT_EQ(channel.readLine(), "next");
    channel.close();
    server.finish();
}

TEST(QtLineChannel, SilenceRaisesReadTimeoutAndClosedPeerRaisesClosedGracefully)
{
    ScriptedServer server({"WAIT 600", "S: late", "S~ unfinished", "CLOSE"});
    QtLineChannel channel;
    connectTo(channel, server);
    channel.setReadTimeout(200);
    try {
        channel.readLine();
        ADD_FAILURE() << "no time-out";
    } catch (const EIdReadTimeout& error) {
        EXPECT_STREQ(error.what(), "Read Timeout");
    }
    channel.setReadTimeout(kTimeoutMs);
    EXPECT_EQ(channel.readLine(), "late");
    try {
        channel.readLine();
        ADD_FAILURE() << "no close reported";
    } catch (const EIdConnClosedGracefully& error) {
        EXPECT_STREQ(error.what(), "Connection Closed Gracefully.");
    }
    EXPECT_FALSE(channel.isOpen());
    EXPECT_THROW(channel.readLine(), EIdNotConnected);
    EXPECT_TRUE(server.finish().empty());
}

TEST(QtLineChannel, ReportsNotConnectedAlreadyConnectedAndRefused)
{
    QtLineChannel channel;
    try {
        channel.readLine();
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
    EXPECT_EQ(channel.readLine(), "hello");
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
    QtLineChannel channel;
    connectTo(channel, server);
    channel.setReadTimeout(0);
    std::thread aborter([&channel] {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        channel.abort();
    });
    const auto start = std::chrono::steady_clock::now();
    try {
        channel.readLine();
        ADD_FAILURE() << "read returned";
    } catch (const EIdAborted& error) {
        EXPECT_STREQ(error.what(), "Operation aborted.");
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    aborter.join();
    // Without the abort the read would wait for the server's 2.5 s of silence.
    EXPECT_LT(waited, std::chrono::milliseconds(2000));
    EXPECT_FALSE(channel.isOpen());
    EXPECT_THROW(channel.readLine(), EIdAborted);
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
    std::string greeting;
    std::string reply;
    std::string failure;
    std::thread worker([&] {
        try {
            channel->connect("localhost", server.port(), kTimeoutMs, false);
            channel->setReadTimeout(kTimeoutMs);
            greeting = channel->readLine();
            channel->writeLine("NOOP");
            reply = channel->readLine();
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
