#include "peers/cutting_relay.h"

#include "peers/loopback_port.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

constexpr int kPollMs = 50;
constexpr int kAnswerWaitMs = 5000;

// Bytes now readable from fd; empty at the end of the stream or on an error.
std::string receive(int fd)
{
    char buffer[16384];
    ssize_t got;
    do
        got = ::recv(fd, buffer, sizeof buffer, 0);
    while (got < 0 && errno == EINTR);
    return got > 0 ? std::string(buffer, static_cast<size_t>(got)) : std::string();
}

} // namespace

CuttingRelay::CuttingRelay(uint16_t serverPort, std::string commandPrefix)
    : serverPort_(serverPort), commandPrefix_(std::move(commandPrefix))
{
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { run(); });
}

CuttingRelay::~CuttingRelay()
{
    stopping_ = true;
    thread_.join();
    ::close(listener_);
}

void CuttingRelay::run()
{
    while (!stopping_) {
        if (!waitReadable(listener_, kPollMs))
            continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0)
            relay(client);
    }
}

// One session at a time: the check cycle holds one POP3 connection at a time.
void CuttingRelay::relay(int client)
{
    const int server = connectToLoopback(serverPort_);
    std::string pending; // client bytes after the last whole line
    bool open = server >= 0;
    while (open && !stopping_) {
        pollfd entries[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        if (::poll(entries, 2, kPollMs) <= 0)
            continue;
        if (entries[0].revents != 0) {
            const std::string bytes = receive(client);
            pending += bytes;
            if (bytes.empty())
                open = false;
            else if (!forwardClientLines(server, pending)) {
                cut(client, server);
                return;
            }
        }
        if (open && entries[1].revents != 0) {
            const std::string bytes = receive(server);
            open = !bytes.empty() && sendAll(client, bytes);
        }
    }
    ::close(client);
    if (server >= 0)
        ::close(server);
}

// Passes every whole line on; false once the trigger line went to the server.
bool CuttingRelay::forwardClientLines(int server, std::string& pending)
{
    for (size_t end = pending.find('\n'); end != std::string::npos; end = pending.find('\n')) {
        const std::string line = pending.substr(0, end + 1);
        pending.erase(0, end + 1);
        sendAll(server, line);
        if (!cutDone_ && line.rfind(commandPrefix_, 0) == 0) {
            cutDone_ = true;
            return false;
        }
    }
    return true;
}

// The server has taken the command once its answer comes; the client never sees it.
void CuttingRelay::cut(int client, int server)
{
    std::string answer;
    while (answer.find('\n') == std::string::npos && waitReadable(server, kAnswerWaitMs)) {
        const std::string bytes = receive(server);
        if (bytes.empty())
            break;
        answer += bytes;
    }
    ::close(client);
    ::close(server);
    ++cuts_;
}

} // namespace kestrin::test
