#pragma once
// A dovecot POP3 server started by a test in a temporary folder: a plain
// listener (with STLS) and a POP3S listener on free loopback ports, TLS with a
// throw-away CA, passwd-file users and one Maildir per user. Stopped and
// removed when the object goes away.
#include "peers/child_process.h"
#include "peers/test_certificates.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kestrin::test {

class DovecotPeer {
public:
    static constexpr const char* kProgram = "/usr/sbin/dovecot";
    static bool installed();

    // Starts dovecot for the users (name, password). Throws std::runtime_error
    // when it does not start listening.
    explicit DovecotPeer(const std::vector<std::pair<std::string, std::string>>& users = {{"alice", "secret"}});
    ~DovecotPeer();
    DovecotPeer(const DovecotPeer&) = delete;
    DovecotPeer& operator=(const DovecotPeer&) = delete;

    uint16_t pop3Port() const { return pop3Port_; }
    uint16_t pop3sPort() const { return pop3sPort_; }
    const std::string& caFile() const { return certificates_.caFile; }
    const std::string& folder() const { return folder_.path(); }

    // Puts a message into the user's mailbox as one Maildir file (as it is:
    // LF line ends are fine); files are named so they sort in delivery order.
    void deliver(const std::string& user, const std::string& bytes);
    // The message files the user's Maildir holds now.
    std::vector<std::string> messageFiles(const std::string& user) const;
    // The same without the flag suffix (":2,S"), which dovecot may change.
    std::vector<std::string> messageNames(const std::string& user) const;
    // The server's log, for failure messages.
    std::string log() const;

private:
    std::string maildir(const std::string& user) const;
    void writeConfiguration();
    void start();

    TemporaryFolder folder_;
    TestCertificates certificates_;
    uint16_t pop3Port_ = 0;
    uint16_t pop3sPort_ = 0;
    int delivered_ = 0;
    std::unique_ptr<ChildProcess> process_;
};

} // namespace kestrin::test
