#pragma once
// The line transport under the POP3 and SMTP clients: one TCP connection,
// optionally TLS, read line by line with a time-out. The platform layer
// implements it; the clients and their tests only see this interface.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kestrin {

class LineChannel {
public:
    virtual ~LineChannel() = default;

    // Connects within timeoutMs; with tls, the TLS handshake follows at once
    // (implicit TLS, ports 995/465). Throws EIdConnectTimeout, EIdSocketError,
    // EIdTlsError, EIdAlreadyConnected.
    virtual void connect(const std::string& host, uint16_t port, int timeoutMs, bool tls) = 0;
    // Switches an open plain connection to TLS (STLS / STARTTLS). Whatever the
    // server sent before the switch and was not read yet is discarded.
    virtual void startTls() = 0;
    // Sends the line followed by CR LF. Throws EIdNotConnected, EIdSocketError.
    virtual void writeLine(std::string_view line) = 0;
    // Sends bytes as they are (a whole DATA block at once). Throws like writeLine.
    virtual void write(std::string_view bytes) = 0;
    // The next line without its LF and one CR before it. Throws EIdReadTimeout
    // after readTimeoutMs without data (0 = wait for ever), EIdReadLnMaxLineLengthExceeded,
    // EIdConnClosedGracefully when the peer closed, EIdNotConnected, EIdAborted.
    virtual std::string readLine() = 0;
    virtual void setReadTimeout(int readTimeoutMs) = 0;
    virtual void setMaxLineLength(size_t maxLineLength) = 0;
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
