#include "storage/atomic_file.h"

#include <cerrno>
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

// Closes the descriptor and removes the temporary file unless the rename took it.
class TemporaryFile {
public:
    explicit TemporaryFile(std::string folder) : path_(std::move(folder) + "/.kestrin-XXXXXX") {}
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!renamed_)
            ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void create(const std::string& target)
    {
        fd_ = ::mkstemp(path_.data()); // mode 0600
        if (fd_ < 0)
            fail("Cannot create a temporary file for", target, errno);
    }
    void write(std::string_view data, const std::string& target)
    {
        size_t done = 0;
        while (done < data.size()) {
            const ssize_t n = ::write(fd_, data.data() + done, data.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                fail("Cannot write", target, errno);
            done += static_cast<size_t>(n);
        }
    }
    void keepModeOf(const std::string& target)
    {
        struct stat st {};
        if (::stat(target.c_str(), &st) == 0)
            ::fchmod(fd_, st.st_mode & 07777);
    }
    void syncAndClose(const std::string& target)
    {
        if (::fsync(fd_) != 0)
            fail("Cannot write", target, errno);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0)
            fail("Cannot write", target, errno);
    }
    void renameOver(const std::string& target)
    {
        if (::rename(path_.c_str(), target.c_str()) != 0)
            fail("Cannot replace", target, errno);
        renamed_ = true;
    }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
    bool renamed_ = false;
};

void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
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

} // namespace

void ensureFolder(const std::string& path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error)
        throw EFileError("Cannot create folder " + path + ": " + error.message());
}

void writeFileAtomically(const std::string& path, std::string_view data)
{
    const std::string folder = folderOf(path);
    ensureFolder(folder);
    TemporaryFile temporary(folder);
    temporary.create(path);
    temporary.write(data, path);
    temporary.keepModeOf(path);
    temporary.syncAndClose(path);
    if (beforeRenameHook())
        beforeRenameHook()(temporary.path());
    temporary.renameOver(path);
    syncFolder(folder);
}

std::string readWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        fail("Cannot open", path, errno);
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            fail("Cannot read", path, error);
        }
        if (n == 0)
            break;
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

void setBeforeRenameHookForTests(std::function<void(const std::string&)> hook)
{
    beforeRenameHook() = std::move(hook);
}

} // namespace kestrin
