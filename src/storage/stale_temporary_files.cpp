#include "storage/stale_temporary_files.h"

#include "storage/temporary_file.h"

#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin {
namespace {

// Closes the folder on every way out.
class FolderListing {
public:
    explicit FolderListing(const std::string& folder) : folder_(::opendir(folder.c_str())) {}
    ~FolderListing()
    {
        if (folder_)
            ::closedir(folder_);
    }
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    bool open() const { return folder_ != nullptr; }
    int fd() const { return ::dirfd(folder_); }
    const char* next()
    {
        const dirent* entry = ::readdir(folder_);
        return entry ? entry->d_name : nullptr;
    }

private:
    DIR* folder_;
};

// AT_SYMLINK_NOFOLLOW: a link of our name is judged as a link and kept.
bool isStale(int folderFd, const char* name, std::time_t newest)
{
    struct stat st {};
    return ::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) && st.st_mtime < newest;
}

} // namespace

int removeStaleTemporaryFilesIn(const std::string& folder, std::chrono::seconds minAge)
{
    FolderListing listing(folder);
    if (!listing.open())
        return 0;
    const std::time_t newest = std::time(nullptr) - static_cast<std::time_t>(minAge.count());
    int removed = 0;
    while (const char* name = listing.next()) {
        // unlinkat removes the name only; were the file swapped for a link
        // since the look, the link would go and its target stay.
        if (isTemporaryFileName(name) && isStale(listing.fd(), name, newest) && ::unlinkat(listing.fd(), name, 0) == 0)
            ++removed;
    }
    return removed;
}

int removeStaleTemporaryFiles(const std::string& programFolder)
{
    return removeStaleTemporaryFilesIn(programFolder) + removeStaleTemporaryFilesIn(programFolder + "/config") +
           removeStaleTemporaryFilesIn(programFolder + "/archive");
}

} // namespace kestrin
