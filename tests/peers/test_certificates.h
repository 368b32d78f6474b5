#pragma once
// A throw-away certificate authority and a server certificate it signed, made
// with the openssl command line for TLS peers started by the tests.
#include <string>
#include <vector>

namespace kestrin::test {

struct TestCertificates {
    std::string caFile;   // ca.pem: the authority's certificate, for the client to trust
    std::string certFile; // cert.pem: the server certificate
    std::string keyFile;  // key.pem: the server's private key (unencrypted)
};

// Writes ca.pem, cert.pem and key.pem (and the CA's own key) into folder, which
// must exist. The server certificate names the given subject alternative names,
// by default those of this machine's loopback. Throws std::runtime_error when
// openssl fails.
TestCertificates makeTestCertificates(const std::string& folder, const std::vector<std::string>& subjectAltNames = {
                                                                     "DNS:localhost", "IP:127.0.0.1"});

// A fresh folder under the system's temporary folder, removed with all it holds
// when the object goes away.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace kestrin::test
