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
    void write(std::string_view bytes) override;
    void receive(std::string& buffer, size_t maxBytes, SteadyClock::time_point deadline) override;
    bool hasUnreceivedBytes() override;
    void setWriteTimeout(int writeTimeoutMs) override { writeTimeoutMs_ = writeTimeoutMs; }
    bool isOpen() const override;
    void close() override;
    void abort() override { aborted_.store(true); }

private:
    void throwUnlessUsable() const;
    void handshake(const std::string& host, int timeoutMs);
    void discardUnread();
    [[noreturn]] void failAborted();
    [[noreturn]] void failDisconnected();

    std::string caFile_;
    std::unique_ptr<QSslSocket> socket_;
    std::string host_;
    int connectTimeoutMs_ = 0;
    int writeTimeoutMs_ = 0;
    std::atomic<bool> aborted_{false};
};

} // namespace kestrin
