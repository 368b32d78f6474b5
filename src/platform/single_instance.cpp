#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QString>

namespace kestrin {
namespace {

QString fromLocal(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

// The folder as the file system knows it, so "home/../home/" and a symbolic
// link to it name the same program folder. A folder that does not exist yet
// keeps its absolute, cleaned spelling.
QString canonicalFolder(const std::string& programFolder)
{
    const QFileInfo info(fromLocal(programFolder));
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

QString shortHash(const QString& text)
{
    const QByteArray digest = QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QString::fromLatin1(digest.left(16));
}

} // namespace

std::string singleInstanceLockFolder()
{
    // Without XDG_RUNTIME_DIR Qt would warn on stderr and invent a folder under
    // the temporary folder anyway; go there quietly.
    QString folder;
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        folder = QDir::tempPath();
    return folder.toStdString();
}

std::string singleInstanceLockPath(const std::string& programFolder, const std::string& lockFolder)
{
    const QString name = QString::fromLatin1(kSingleInstanceMarker) + QLatin1Char('-') +
                         shortHash(canonicalFolder(programFolder)) + QStringLiteral(".lock");
    return QDir(fromLocal(lockFolder)).filePath(name).toStdString();
}

SingleInstanceLock::SingleInstanceLock(const std::string& programFolder, const std::string& lockFolder)
    : path_(singleInstanceLockPath(programFolder, lockFolder)), lock_(std::make_unique<QLockFile>(fromLocal(path_)))
{
    // A holder may run for weeks; only a holder whose process is gone makes the
    // lock stale, never the lock file's age.
    lock_->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() = default;

bool SingleInstanceLock::tryLock()
{
    if (lock_->isLocked())
        return true;
    return lock_->tryLock(0);
}

void SingleInstanceLock::unlock()
{
    lock_->unlock();
}

bool SingleInstanceLock::isLocked() const
{
    return lock_->isLocked();
}

long long SingleInstanceLock::holderPid() const
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    return lock_->getLockInfo(&pid, &hostName, &appName) ? pid : 0;
}

} // namespace kestrin
