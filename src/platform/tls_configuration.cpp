#include "platform/tls_configuration.h"

#include "mail/mail_errors.h"

#include <QFile>
#include <QSslCertificate>
#include <QStringList>

namespace kestrin {
namespace {

QList<QSslCertificate> loadCaFile(const std::string& caFile)
{
    const QString path = QString::fromStdString(caFile);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EIdTlsError("Cannot read the CA file " + caFile + ": " + file.errorString().toStdString());
    const QList<QSslCertificate> certificates =
        QSslCertificate::fromPath(path, QSsl::Pem, QSslCertificate::PatternSyntax::FixedString);
    if (certificates.isEmpty())
        throw EIdTlsError("The CA file " + caFile + " holds no PEM certificate.");
    return certificates;
}

} // namespace

QSslConfiguration verifyingTlsConfiguration(const std::string& caFile)
{
    if (!QSslSocket::supportsSsl())
        throw EIdTlsError("TLS is not available: no TLS backend could be loaded.");
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    QList<QSslCertificate> authorities = QSslConfiguration::systemCaCertificates();
    if (!caFile.empty())
        authorities += loadCaFile(caFile);
    configuration.setCaCertificates(authorities);
    configuration.setPeerVerifyMode(QSslSocket::VerifyPeer);
    configuration.setProtocol(QSsl::SecureProtocols);
    return configuration;
}

std::string describeTlsFailure(const QSslSocket& socket)
{
    QStringList reasons;
    for (const QSslError& error : socket.sslHandshakeErrors())
        reasons << error.errorString();
    const QString socketReason = socket.errorString();
    if (!socketReason.isEmpty() && !reasons.contains(socketReason))
        reasons << socketReason;
    if (reasons.isEmpty())
        reasons << QStringLiteral("the connection was closed during the handshake");
    return "TLS handshake failed: " + reasons.join(QStringLiteral("; ")).toStdString();
}

} // namespace kestrin
