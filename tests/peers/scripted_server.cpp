#include "peers/scripted_server.h"

#include "peers/loopback_port.h"

#include <chrono>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

int acceptWithin(int listener, int timeoutMs)
{
    return waitReadable(listener, timeoutMs) ? ::accept(listener, nullptr, nullptr) : -1;
}

} // namespace

ScriptedServer::ScriptedServer(std::vector<std::string> script) : script_(std::move(script))
{
    listener_ = listenOnLoopback(port_);
    thread_ = std::thread([this] { run(); });
}

ScriptedServer::~ScriptedServer()
{
    finish();
    ::close(listener_);
}

std::vector<std::string> ScriptedServer::finish()
{
    if (!finished_) {
        thread_.join();
        finished_ = true;
    }
    return mismatches_;
}

void ScriptedServer::run()
{
    int connection = acceptWithin(listener_, kStepTimeoutMs);
    if (connection < 0) {
        mismatches_.push_back("no client connected");
        return;
    }
    for (const std::string& row : script_) {
        if (!step(row, connection))
            break;
    }
    if (connection >= 0)
        ::close(connection);
}

bool ScriptedServer::step(const std::string& row, int& connection)
{
    const std::string text = row.size() > 3 ? row.substr(3) : std::string();
    if (row.rfind("S: ", 0) == 0) {
        sendAll(connection, text + "\r\n");
    } else if (row.rfind("S~ ", 0) == 0) {
        sendAll(connection, text);
    } else if (row.rfind("C: ", 0) == 0 || row == "C~") {
        std::string line;
        if (!readClientLine(connection, line)) {
            mismatches_.push_back("expected \"" + text + "\", the client sent nothing more");
            return false;
        }
        if (row.rfind("C: ", 0) == 0 && line != text)
            mismatches_.push_back("expected \"" + text + "\", got \"" + line + "\"");
    } else if (row.rfind("WAIT ", 0) == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(std::stoi(row.substr(5))));
    } else if (row == "CLOSE") {
        ::close(connection);
        connection = -1;
    } else if (row.rfind("FLOOD ", 0) == 0) {
        flood(connection, row.substr(6));
    } else if (row.rfind("TRICKLE ", 0) == 0) {
        trickle(connection, row.substr(8));
    } else if (row == "CLOSED") {
        expectHangUp(connection);
    } else if (row == "ACCEPT") {
        if (connection >= 0)
            ::close(connection);
        pending_.clear();
        connection = acceptWithin(listener_, kStepTimeoutMs);
        if (connection < 0) {
            mismatches_.push_back("the client did not connect again");
            return false;
        }
    } else {
        mismatches_.push_back("bad script row \"" + row + "\"");
        return false;
    }
    return true;
}

// Ends when the client stops taking bytes for a while or hangs up; a client
// that reads for ever is stopped after 1 GiB.
void ScriptedServer::flood(int connection, const std::string& bytes)
{
    const timeval limit{kStepTimeoutMs / 1000, 0};
    ::setsockopt(connection, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    for (size_t sent = 0; sent < (size_t{1} << 30) && sendAll(connection, bytes); sent += bytes.size()) {
    }
}

void ScriptedServer::trickle(int connection, const std::string& spec)
{
    const size_t blank = spec.find(' ');
    const int gapMs = std::stoi(spec.substr(0, blank));
    const std::string bytes = blank == std::string::npos ? std::string() : spec.substr(blank + 1);
    for (const char byte : bytes) {
        // A client that hangs up (or talks) ends the trickle; the next row sees why.
        if (!sendAll(connection, std::string_view(&byte, 1)) || waitReadable(connection, gapMs))
            return;
    }
}

void ScriptedServer::expectHangUp(int connection)
{
    if (!pending_.empty()) {
        mismatches_.push_back("expected the client to hang up, got \"" + pending_ + "\"");
        return;
    }
    char buffer[4096];
    if (connection < 0 || !waitReadable(connection, kStepTimeoutMs)) {
        mismatches_.push_back("expected the client to hang up, it kept the connection open");
        return;
    }
    const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
    if (n > 0)
        mismatches_.push_back("expected the client to hang up, got \"" + std::string(buffer, static_cast<size_t>(n)) +
                              "\"");
}

// One line up to LF with its CR removed; false when the client closed or kept silent.
bool ScriptedServer::readClientLine(int connection, std::string& line)
{
    for (;;) {
        const size_t lf = pending_.find('\n');
        if (lf != std::string::npos) {
            line = pending_.substr(0, lf);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            pending_.erase(0, lf + 1);
            received_.push_back(line);
            return true;
        }
        if (connection < 0 || !waitReadable(connection, kStepTimeoutMs))
            return false;
        char buffer[4096];
        const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
        if (n <= 0)
            return false;
        pending_.append(buffer, static_cast<size_t>(n));
    }
}

} // namespace kestrin::test
