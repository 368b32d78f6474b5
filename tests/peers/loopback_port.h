#pragma once
// Loopback ports and sockets for peers the tests start themselves.
#include <cstdint>
#include <string_view>

namespace kestrin::test {

// A 127.0.0.1 port nobody listened on a moment ago (the system picks it).
uint16_t freeLoopbackPort();
// True once something accepts connections on 127.0.0.1:port, false after timeoutMs.
// Each probe opens and closes one connection, which the peer must tolerate.
bool waitForPort(uint16_t port, int timeoutMs);

// A socket listening on a 127.0.0.1 port the system picks, written to port,
// with room for backlog connections nobody accepted yet. Throws std::runtime_error.
int listenOnLoopback(uint16_t& port, int backlog = 4);
// A socket connected to 127.0.0.1:port, or -1.
int connectToLoopback(uint16_t port);
// Whether fd has something to read (or was closed) within timeoutMs.
bool waitReadable(int fd, int timeoutMs);
// Sends every byte, without SIGPIPE; false once the peer is gone.
bool sendAll(int fd, std::string_view bytes);

} // namespace kestrin::test
