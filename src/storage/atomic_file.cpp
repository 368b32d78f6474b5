#include "storage/atomic_file.h"

#include "storage/temporary_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin {
namespace {

std::function<void(const std::string&)>& beforeRenameHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

[[noreturn]] void fail(const std::string& what, const std::string& path, int error)
{
    throw EFileError(what + " " + path + ": " + std::strerror(error));
}

// lstat: a link in the file's place must not lend its target's mode (a 0644
// target would make a file with passwords readable by everyone).
void keepModeOf(const TemporaryFile& temporary, const std::string& target)
{
    struct stat st {};
    if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(temporary.descriptor(), st.st_mode & 07777);
}

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

std::string folderOf(const std::string& path)
{
    const std::string parent = std::filesystem::path(path).parent_path().string();
    return parent.empty() ? std::string(".") : parent;
}

// The synced temporary file, ready to take its name.
void prepare(TemporaryFile& temporary, const std::string& path, std::string_view data)
{
    ensureFolder(folderOf(path));
    temporary.create(path);
    temporary.write(data, path);
    keepModeOf(temporary, path);
    temporary.syncAndClose(path);
    if (beforeRenameHook())
        beforeRenameHook()(temporary.path());
}

// Gives the temporary file the name unless the name is taken. link(2) serves
// file systems without RENAME_NOREPLACE (NFS, older kernels); the temporary
// name then goes with the TemporaryFile.
bool takeFreeName(TemporaryFile& temporary, const std::string& path)
{
    if (::renameat2(AT_FDCWD, temporary.path().c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) {
        temporary.keep();
        return true;
    }
    if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) {
        if (::link(temporary.path().c_str(), path.c_str()) == 0)
            return true;
    }
    if (errno == EEXIST)
        return false;
    fail("Cannot create", path, errno);
}

} // namespace

void writeFileAtomically(const std::string& path, std::string_view data)
{
    TemporaryFile temporary(folderOf(path));
    prepare(temporary, path, data);
    // rename() replaces a link standing at path; it never writes to its target.
    if (::rename(temporary.path().c_str(), path.c_str()) != 0)
        fail("Cannot replace", path, errno);
    temporary.keep();
    syncFolder(folderOf(path));
}

bool writeNewFileAtomically(const std::string& path, std::string_view data)
{
    TemporaryFile temporary(folderOf(path));
    prepare(temporary, path, data);
    if (!takeFreeName(temporary, path))
        return false;
    syncFolder(folderOf(path));
    return true;
}

void setBeforeRenameHookForTests(std::function<void(const std::string&)> hook)
{
    beforeRenameHook() = std::move(hook);
}

} // namespace kestrin
