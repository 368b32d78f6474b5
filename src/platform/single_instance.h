#pragma once
// One running Kestrin per user: the window, `kestrin-cli check` and
// `kestrin-cli watch` all log in to the user's mailboxes, so a second copy,
// even one on another program folder, would forward and answer the same mail
// twice (and on the same folder overwrite the first one's files at exit). A
// lock file named after the marker in the user's runtime folder marks the user
// as taken; a crashed holder does not block, because a lock whose process is
// gone counts as stale.
#include <QLockFile>

#include <memory>
#include <string>
#include <sys/types.h>

namespace kestrin {

// The lock file's name, without ".lock".
inline constexpr const char* kSingleInstanceMarker = "KestrinSweeper897218957209671984";

// What the runtime folder is chosen from.
struct LockFolderPlaces {
    std::string runtimeFolder; // $XDG_RUNTIME_DIR; empty when unset
    uid_t uid = 0;
    std::string userRunRoot = "/run/user";
    std::string tempRoot = "/tmp";
};

// runtimeFolder when given; otherwise userRunRoot/<uid> when it is the user's
// own folder (the session's runtime folder, which cron and ssh runs reach
// without the variable); otherwise tempRoot/kestrin-<uid>. The chosen folder
// is created (mode 0700) when missing.
std::string chooseLockFolder(const LockFolderPlaces& places);

// chooseLockFolder for this process's environment and user.
std::string singleInstanceLockFolder();

// lockFolder + "/" + marker + ".lock"
std::string singleInstanceLockPath(const std::string& lockFolder);

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& lockFolder = singleInstanceLockFolder());
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this object now holds the lock (or already held it); false
    // while another live process holds it. Never waits.
    bool tryLock();
    void unlock();
    bool isLocked() const;
    // The process id written by the holder, or 0 when it cannot be read.
    long long holderPid() const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace kestrin
