#pragma once
// Loopback ports for peers the tests start themselves.
#include <cstdint>

namespace kestrin::test {

// A 127.0.0.1 port nobody listened on a moment ago (the system picks it).
uint16_t freeLoopbackPort();
// True once something accepts connections on 127.0.0.1:port, false after timeoutMs.
// Each probe opens and closes one connection, which the peer must tolerate.
bool waitForPort(uint16_t port, int timeoutMs);

} // namespace kestrin::test
