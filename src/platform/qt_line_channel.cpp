#include "platform/qt_line_channel.h"

#include "mail/mail_errors.h"
#include "platform/abortable_connect.h"
#include "platform/tls_configuration.h"
#include "platform/wait_slices.h"

#include <QSslSocket>
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
    clearBuffer();
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
    clearBuffer();
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

void QtLineChannel::writeLine(std::string_view line)
{
    std::string withEnd(line);
    withEnd += "\r\n";
    write(withEnd);
}

void QtLineChannel::write(std::string_view bytes)
{
    throwUnlessUsable();
    if (socket_->write(bytes.data(), static_cast<qint64>(bytes.size())) < 0)
        throw EIdSocketError(socket_->errorString().toStdString());
    const WaitDeadline deadline(readTimeoutMs_);
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

std::string QtLineChannel::readLine()
{
    if (aborted_.load())
        throw EIdAborted("Operation aborted.");
    if (!socket_)
        throw EIdNotConnected("Not connected.");
    std::string line;
    while (!takeBufferedLine(line))
        receiveMore();
    return line;
}

// The next line when the buffer holds one; throws when the line so far is already
// too long. Taken lines only move the read offset, so a large message that arrives
// at once is not copied again for every line.
// An over-long line is dropped up to its end, so the reader stays in step with
// the peer and the next read returns the line after it.
bool QtLineChannel::takeBufferedLine(std::string& line)
{
    const size_t lf = buffer_.find('\n', bufferStart_);
    if (droppingLine_) {
        if (lf == std::string::npos) {
            buffer_.clear();
            bufferStart_ = 0;
            return false;
        }
        droppingLine_ = false;
        bufferStart_ = lf + 1;
        return takeBufferedLine(line);
    }
    const size_t end = lf == std::string::npos ? buffer_.size() : lf;
    const bool endsWithCr = end > bufferStart_ && buffer_[end - 1] == '\r';
    const size_t length = end - bufferStart_ - (endsWithCr ? 1 : 0);
    if (length > maxLineLength_) {
        if (lf == std::string::npos) {
            clearBuffer();
            droppingLine_ = true;
        } else {
            bufferStart_ = lf + 1;
        }
        throw EIdReadLnMaxLineLengthExceeded("Max line length exceeded.");
    }
    if (lf == std::string::npos)
        return false;
    line.assign(buffer_, bufferStart_, length);
    bufferStart_ = lf + 1;
    return true;
}

void QtLineChannel::clearBuffer()
{
    droppingLine_ = false;
    buffer_.clear();
    bufferStart_ = 0;
}

// Waits for more bytes: data already received first, then the peer's close, the
// abort flag and the read time-out, checked between short waits.
void QtLineChannel::receiveMore()
{
    const WaitDeadline deadline(readTimeoutMs_);
    for (;;) {
        if (aborted_.load())
            failAborted();
        if (socket_->bytesAvailable() > 0) {
            buffer_.erase(0, bufferStart_);
            bufferStart_ = 0;
            const QByteArray received = socket_->readAll();
            buffer_.append(received.constData(), static_cast<size_t>(received.size()));
            return;
        }
        if (socket_->state() != QAbstractSocket::ConnectedState)
            failDisconnected();
        if (deadline.expired())
            throw EIdReadTimeout("Read Timeout");
        socket_->waitForReadyRead(deadline.nextSliceMs());
    }
}

} // namespace kestrin
