#pragma once
// A TCP connect that can be stopped from another thread. Qt's waitForConnected
// resets the socket when it times out, so it cannot be waited on in short slices;
// this connects a plain descriptor that QSslSocket then takes over.
#include <atomic>
#include <cstdint>
#include <string>

namespace kestrin {

// Resolves host and connects to the first address that answers, waiting in short
// slices so that a set abortFlag ends the wait at once. timeoutMs <= 0 waits as long
// as the system allows. Returns a connected, non-blocking descriptor owned by the
// caller. Throws EIdConnectTimeout, EIdSocketError (the system's text), EIdAborted.
int connectAbortably(const std::string& host, uint16_t port, int timeoutMs, const std::atomic<bool>& abortFlag);

} // namespace kestrin
