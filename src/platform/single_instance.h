#pragma once
// One program folder, one running Kestrin: the window, `kestrin-cli check` and
// `kestrin-cli watch` all rewrite the same files at exit, so a second copy on
// the same folder would overwrite the first one's work. A lock file in the
// runtime folder marks the folder as taken; a crashed holder does not block,
// because a lock whose process is gone counts as stale.
#include <QLockFile>

#include <memory>
#include <string>

namespace kestrin {

// The marker every lock file name begins with.
inline constexpr const char* kSingleInstanceMarker = "KestrinSweeper897218957209671984";

// The runtime folder (QStandardPaths::RuntimeLocation), or the temporary
// folder when the system has none.
std::string singleInstanceLockFolder();

// lockFolder + "/" + marker + "-" + a short hash of the canonical program
// folder + ".lock": two spellings of one folder share the lock, two folders
// do not.
std::string singleInstanceLockPath(const std::string& programFolder, const std::string& lockFolder);

class SingleInstanceLock {
public:
    explicit SingleInstanceLock(const std::string& programFolder,
                                const std::string& lockFolder = singleInstanceLockFolder());
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
