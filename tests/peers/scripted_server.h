#pragma once
// A scripted fake server on a free loopback port, for the exact edge cases of
// the mail protocols. The script is one row per step:
//   "S: text"   send text + CR LF        "S~ bytes"  send bytes as they are
//   "C: text"   expect this client line  "C~"        read and ignore one client line
//   "WAIT ms"   pause                    "CLOSE"     close the connection
//   "ACCEPT"    take the next connection (a client that reconnects)
// and, for hostile servers:
//   "FLOOD bytes"       send bytes over and over until the client hangs up
//   "TRICKLE ms bytes"  send one byte every ms until done or the client hangs up
//   "CLOSED"            expect the client to hang up without sending another line
// Mismatches are collected on the server thread and handed back by finish(),
// so the test thread makes every assertion.
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace kestrin::test {

class ScriptedServer {
public:
    explicit ScriptedServer(std::vector<std::string> script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    uint16_t port() const { return port_; }
    // Waits until the script has run (a step waits at most stepTimeoutMs for the
    // client) and returns what differed from it; empty when all went as scripted.
    std::vector<std::string> finish();
    // Every line the client sent, in order.
    const std::vector<std::string>& received() const { return received_; }

private:
    void run();
    bool step(const std::string& row, int& connection);
    bool readClientLine(int connection, std::string& line);
    void flood(int connection, const std::string& bytes);
    void trickle(int connection, const std::string& spec);
    void expectHangUp(int connection);

    std::vector<std::string> script_;
    std::vector<std::string> mismatches_;
    std::vector<std::string> received_;
    std::string pending_;
    int listener_ = -1;
    uint16_t port_ = 0;
    std::thread thread_;
    bool finished_ = false;
};

constexpr int kStepTimeoutMs = 5000;

} // namespace kestrin::test
