#pragma once
// aiosmtpd through tests/peers/smtp_peer.py, started on a free loopback port
// with its own temporary folder and stopped when the object goes away. Each
// accepted message is read back with its envelope.
#include "peers/child_process.h"
#include "peers/test_certificates.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrin::test {

struct SmtpPeerOptions {
    std::string user; // empty: no AUTH offered
    std::string password;
    enum class Security { None, Tls, StartTls } security = Security::None;
    const TestCertificates* certificates = nullptr; // needed for Tls and StartTls
    bool pipelining = false;                        // announce PIPELINING in the EHLO answer
};

struct StoredMessage {
    std::string mailFrom;
    std::vector<std::string> rcptTos;
    std::string data; // the bytes after DATA, dot-stuffing undone, lines ended by CR LF
};

class SmtpPeer {
public:
    // Throws std::runtime_error (with the peer's output) when it does not come up.
    explicit SmtpPeer(const SmtpPeerOptions& options = {});
    ~SmtpPeer();
    SmtpPeer(const SmtpPeer&) = delete;
    SmtpPeer& operator=(const SmtpPeer&) = delete;

    uint16_t port() const { return port_; }
    // Every message accepted so far, in the order of arrival.
    std::vector<StoredMessage> messages() const;

private:
    TemporaryFolder folder_;
    std::string store_;
    uint16_t port_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

} // namespace kestrin::test
