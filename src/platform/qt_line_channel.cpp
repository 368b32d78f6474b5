#include "platform/qt_line_channel.h"

#include "mail/mail_errors.h"
#include "platform/abortable_connect.h"
#include "platform/tls_configuration.h"
#include "platform/wait_slices.h"

#include <QSslSocket>
#include <algorithm>
#include <unistd.h>

namespace kestrin {
namespace {

// At most this many drains of data already waiting before a TLS switch, so a
// peer that never stops sending cannot hold the switch for ever.
constexpr int kMaxDiscardRounds = 64;

} // namespace

QtLineChannel::QtLineChannel(std::string caFile) : caFile_(std::move(caFile))
{
}

QtLineChannel::~QtLineChannel()
{
    close();
}

bool QtLineChannel::isOpen() const
{
    return socket_ && !aborted_.load() && socket_->state() == QAbstractSocket::ConnectedState;
}

void QtLineChannel::close()
{
    if (!socket_)
        return;
    socket_->abort();
    socket_.reset();
}

void QtLineChannel::failAborted()
{
    close();
    throw EIdAborted("Operation aborted.");
}

// The peer closed or the connection broke: the channel closes too, so that
// later calls report "Not connected.".
void QtLineChannel::failDisconnected()
{
    const bool graceful = socket_->error() == QAbstractSocket::RemoteHostClosedError;
    const std::string reason = socket_->errorString().toStdString();
    close();
    if (graceful)
        throw EIdConnClosedGracefully("Connection Closed Gracefully.");
    throw EIdSocketError(reason);
}

void QtLineChannel::throwUnlessUsable() const
{
    if (aborted_.load())
        throw EIdAborted("Operation aborted.");
    if (!socket_ || socket_->state() != QAbstractSocket::ConnectedState)
        throw EIdNotConnected("Not connected.");
}

void QtLineChannel::connect(const std::string& host, uint16_t port, int timeoutMs, bool tls)
{
    if (aborted_.load())
        throw EIdAborted("Operation aborted.");
    if (isOpen())
        throw EIdAlreadyConnected("Already connected.");
    close();
    const int fd = connectAbortably(host, port, timeoutMs, aborted_);
    socket_ = std::make_unique<QSslSocket>();
    if (!socket_->setSocketDescriptor(fd)) {
        const std::string reason = socket_->errorString().toStdString();
        ::close(fd);
        socket_.reset();
        throw EIdSocketError(reason);
    }
    host_ = host;
    connectTimeoutMs_ = timeoutMs;
    if (tls)
        handshake(host, timeoutMs);
}

void QtLineChannel::startTls()
{
    throwUnlessUsable();
    if (socket_->isEncrypted())
        throw EIdTlsError("TLS is already active on this connection.");
    discardUnread();
    handshake(host_, connectTimeoutMs_);
}

// Whatever arrived before the switch could have been injected by someone on the
// path; none of it may be read as if it came through TLS.
void QtLineChannel::discardUnread()
{
    for (int round = 0; round < kMaxDiscardRounds; ++round) {
        socket_->readAll();
        if (socket_->state() != QAbstractSocket::ConnectedState || !socket_->waitForReadyRead(0))
            break;
    }
    socket_->readAll();
}

void QtLineChannel::handshake(const std::string& host, int timeoutMs)
{
    try {
        socket_->setSslConfiguration(verifyingTlsConfiguration(caFile_));
    } catch (...) {
        close();
        throw;
    }
    socket_->setPeerVerifyName(QString::fromStdString(host));
    socket_->startClientEncryption();
    const WaitDeadline deadline(timeoutMs);
    while (!socket_->isEncrypted()) {
        if (aborted_.load())
            failAborted();
        if (socket_->state() != QAbstractSocket::ConnectedState || !socket_->sslHandshakeErrors().isEmpty()) {
            const std::string reason = describeTlsFailure(*socket_);
            close();
            throw EIdTlsError(reason);
        }
        if (deadline.expired()) {
            close();
            throw EIdTlsError("TLS handshake timed out.");
        }
        socket_->waitForEncrypted(deadline.nextSliceMs());
    }
}

void QtLineChannel::write(std::string_view bytes)
{
    throwUnlessUsable();
    if (socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
        throw EIdSocketError(socket_->errorString().toStdString());
    const WaitDeadline deadline(writeTimeoutMs_);
    while (socket_->bytesToWrite() > 0) {
        if (aborted_.load())
            failAborted();
        if (socket_->state() != QAbstractSocket::ConnectedState)
            failDisconnected();
        if (deadline.expired())
            throw EIdSocketError("Write timed out.");
        socket_->waitForBytesWritten(deadline.nextSliceMs());
    }
}

// Waits for bytes: data already received first, then the peer's close, the
// abort flag and the deadline, checked between short waits.
void QtLineChannel::receive(std::string& buffer, size_t maxBytes, SteadyClock::time_point deadline)
{
    if (aborted_.load())
        throw EIdAborted("Operation aborted.");
    if (!socket_)
        throw EIdNotConnected("Not connected.");
    for (;;) {
        if (aborted_.load())
            failAborted();
        if (socket_->bytesAvailable() > 0) {
            const QByteArray received = socket_->read(static_cast<qint64>(std::max<size_t>(maxBytes, 1)));
            buffer.append(received.constData(), static_cast<size_t>(received.size()));
            return;
        }
        if (socket_->state() != QAbstractSocket::ConnectedState)
            failDisconnected();
        const auto left = deadline - SteadyClock::now();
        if (left <= SteadyClock::duration::zero())
            throw EIdReadTimeout("Read Timeout");
        const auto leftMs = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
        socket_->waitForReadyRead(static_cast<int>(std::clamp<long long>(leftMs, 1, kWaitSliceMs)));
    }
}

// Bytes already here, or arriving without any wait.
bool QtLineChannel::hasUnreceivedBytes()
{
    if (!socket_ || aborted_.load())
        return false;
    if (socket_->bytesAvailable() > 0)
        return true;
    if (socket_->state() == QAbstractSocket::ConnectedState)
        socket_->waitForReadyRead(0);
    return socket_->bytesAvailable() > 0;
}

} // namespace kestrin
