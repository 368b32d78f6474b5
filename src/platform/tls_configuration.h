#pragma once
// How a channel verifies its server: the peer must present a certificate for
// the host name that chains to the system store or to the optional extra CA file.
#include <QSslConfiguration>
#include <QSslSocket>
#include <string>

namespace kestrin {

// Throws EIdTlsError when TLS is unavailable or the CA file cannot be read or
// holds no PEM certificate.
QSslConfiguration verifyingTlsConfiguration(const std::string& caFile);

// Why the handshake failed, from the verification errors and the socket's error.
std::string describeTlsFailure(const QSslSocket& socket);

} // namespace kestrin
