// ensureFolder of storage/atomic_file.h.
#include "storage/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace kestrin {
namespace {

bool isFolder(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// mkdir's mode is cut by the umask but never widened by it: 0700 stays 0700
// (or less) even under umask 000, so another user cannot plant a link inside.
void makeOne(const std::filesystem::path& folder, const std::string& wanted)
{
    if (::mkdir(folder.c_str(), 0700) == 0)
        return;
    const int error = errno;
    if (error == EEXIST && isFolder(folder))
        return; // made meanwhile by another process
    throw EFileError("Cannot create folder " + wanted + ": " + std::strerror(error == EEXIST ? ENOTDIR : error));
}

} // namespace

void ensureFolder(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).lexically_normal();
    if (path.empty())
        throw EFileError("Cannot create a folder without a name");
    if (isFolder(folder))
        return;
    std::filesystem::path partial;
    for (const auto& part : folder) {
        partial /= part;
        if (part.empty() || part == "/" || part == "." || part == ".." || isFolder(partial))
            continue;
        makeOne(partial, path);
    }
}

} // namespace kestrin
