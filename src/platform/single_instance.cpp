#include "platform/single_instance.h"

#include <QString>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin {
namespace {

QString fromLocal(const std::string& path)
{
    return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

// A folder of another user (or a link planted under the name) could hand the
// lock to someone else, who could then take it away.
bool isOwnFolder(const std::string& path, uid_t uid)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == uid;
}

} // namespace

std::string chooseLockFolder(const LockFolderPlaces& places)
{
    const std::string uid = std::to_string(places.uid);
    std::string folder = places.runtimeFolder;
    if (folder.empty() && isOwnFolder(places.userRunRoot + "/" + uid, places.uid))
        folder = places.userRunRoot + "/" + uid;
    if (folder.empty())
        folder = places.tempRoot + "/kestrin-" + uid;
    ::mkdir(folder.c_str(), 0700); // a folder that cannot be made fails the lock, which then says so
    return folder;
}

std::string singleInstanceLockFolder()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    LockFolderPlaces places;
    places.runtimeFolder = runtime ? runtime : "";
    places.uid = ::getuid();
    return chooseLockFolder(places);
}

std::string singleInstanceLockPath(const std::string& lockFolder)
{
    return lockFolder + "/" + kSingleInstanceMarker + ".lock";
}

SingleInstanceLock::SingleInstanceLock(const std::string& lockFolder)
    : path_(singleInstanceLockPath(lockFolder)), lock_(std::make_unique<QLockFile>(fromLocal(path_)))
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
