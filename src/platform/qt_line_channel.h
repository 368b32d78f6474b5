#pragma once
// The line channel on QSslSocket in blocking mode. The socket is created by
// connect() and used, closed and deleted only by the thread that connected (the
// check-cycle worker, which runs no Qt event loop); abort() is the one call that
// is safe from any other thread: it only raises a flag that every wait checks
// between short slices.
#include "mail/line_channel.h"

#include <atomic>
#include <memory>
#include <string>

class QSslSocket;

namespace kestrin {

constexpr size_t kDefaultMaxLineLength = 16384;

class QtLineChannel : public LineChannel {
public:
    // caFile: optional PEM file of extra certificate authorities, trusted
    // besides the system store.
    explicit QtLineChannel(std::string caFile = {});
    ~QtLineChannel() override;
    QtLineChannel(const QtLineChannel&) = delete;
    QtLineChannel& operator=(const QtLineChannel&) = delete;

    void connect(const std::string& host, uint16_t port, int timeoutMs, bool tls) override;
    void startTls() override;
    void writeLine(std::string_view line) override;
    void write(std::string_view bytes) override;
    std::string readLine() override;
    void setReadTimeout(int readTimeoutMs) override { readTimeoutMs_ = readTimeoutMs; }
    void setMaxLineLength(size_t maxLineLength) override { maxLineLength_ = maxLineLength; }
    bool isOpen() const override;
    void close() override;
    void abort() override { aborted_.store(true); }

private:
    void throwUnlessUsable() const;
    void handshake(const std::string& host, int timeoutMs);
    void discardUnread();
    bool takeBufferedLine(std::string& line);
    void clearBuffer();
    void receiveMore();
    [[noreturn]] void failAborted();
    [[noreturn]] void failDisconnected();

    std::string caFile_;
    std::unique_ptr<QSslSocket> socket_;
    std::string host_;
    std::string buffer_; // received; not yet read from bufferStart_ on
    size_t bufferStart_ = 0;
    bool droppingLine_ = false; // the rest of an over-long line is skipped up to its LF
    int connectTimeoutMs_ = 0;
    int readTimeoutMs_ = 0;
    size_t maxLineLength_ = kDefaultMaxLineLength;
    std::atomic<bool> aborted_{false};
};

} // namespace kestrin
