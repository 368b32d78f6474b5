#pragma once
// The byte transport under the POP3 and SMTP clients: one TCP connection,
// optionally TLS. The platform layer implements it; lines, limits and
// deadlines are the mail layer's business (line_reader.h), so that the rules
// that keep a client in step with its server are tested and fuzzed without a
// socket.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kestrin {

using SteadyClock = std::chrono::steady_clock;

// A wait without an end (a read time-out of 0).
inline constexpr SteadyClock::time_point kNoDeadline = SteadyClock::time_point::max();

class LineChannel {
public:
    virtual ~LineChannel() = default;

    // Connects within timeoutMs; with tls, the TLS handshake follows at once
    // (implicit TLS, ports 995/465). Throws EIdConnectTimeout, EIdSocketError,
    // EIdTlsError, EIdAlreadyConnected.
    virtual void connect(const std::string& host, uint16_t port, int timeoutMs, bool tls) = 0;
    // Switches an open plain connection to TLS (STLS / STARTTLS). Whatever the
    // server sent before the switch and was not received yet is discarded.
    virtual void startTls() = 0;
    // Sends bytes as they are, within the write time-out. Throws EIdNotConnected, EIdSocketError.
    virtual void write(std::string_view bytes) = 0;
    // Sends the line followed by CR LF.
    void writeLine(std::string_view line)
    {
        std::string withEnd(line);
        withEnd += "\r\n";
        write(withEnd);
    }
    // Appends what has arrived, at most maxBytes (at least 1), to buffer,
    // waiting until the deadline for the first byte. Throws EIdReadTimeout at
    // the deadline, EIdConnClosedGracefully when the peer closed,
    // EIdSocketError, EIdNotConnected, EIdAborted.
    virtual void receive(std::string& buffer, size_t maxBytes, SteadyClock::time_point deadline) = 0;
    // Whether bytes have arrived that were not received yet: a server that
    // talks without being asked is out of step with its client.
    virtual bool hasUnreceivedBytes() = 0;
    // 0 = no limit.
    virtual void setWriteTimeout(int writeTimeoutMs) = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Safe from any thread: wakes a blocked connect or read, which then throws
    // EIdAborted; the channel stays unusable afterwards.
    virtual void abort() = 0;
};

// How the clients get a channel (one per session).
class LineChannelFactory {
public:
    virtual ~LineChannelFactory() = default;
    virtual std::unique_ptr<LineChannel> create() = 0;
};

} // namespace kestrin
