#pragma once
// A loopback TCP relay in front of a real server that kills the first session
// in which the client sends a given command: the command still reaches the
// server, the server's answer does not reach the client, and both sockets are
// closed. Later sessions are relayed whole, so the next check works again.
#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace kestrin::test {

class CuttingRelay {
public:
    // commandPrefix: the start of the client line that triggers the cut, e.g. "DELE ".
    CuttingRelay(uint16_t serverPort, std::string commandPrefix);
    ~CuttingRelay();
    CuttingRelay(const CuttingRelay&) = delete;
    CuttingRelay& operator=(const CuttingRelay&) = delete;

    uint16_t port() const { return port_; }
    // Sessions cut so far.
    int cuts() const { return cuts_.load(); }

private:
    void run();
    void relay(int client);
    bool forwardClientLines(int server, std::string& pending);
    void cut(int client, int server);

    uint16_t serverPort_;
    std::string commandPrefix_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::atomic<bool> stopping_{false};
    std::atomic<int> cuts_{0};
    bool cutDone_ = false; // relay thread only
    std::thread thread_;
};

} // namespace kestrin::test
