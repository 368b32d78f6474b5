#include "storage/temporary_file.h"

#include "storage/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace kestrin {
namespace {

constexpr size_t kRandomLength = 6; // the "XXXXXX" mkstemp fills

bool isLetterOrDigit(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

[[noreturn]] void fail(const std::string& what, const std::string& path, int error)
{
    throw EFileError(what + " " + path + ": " + std::strerror(error));
}

} // namespace

bool isTemporaryFileName(std::string_view name)
{
    if (name.size() != kTemporaryFilePrefix.size() + kRandomLength || !name.starts_with(kTemporaryFilePrefix))
        return false;
    for (const char c : name.substr(kTemporaryFilePrefix.size())) {
        if (!isLetterOrDigit(c))
            return false;
    }
    return true;
}

TemporaryFile::TemporaryFile(const std::string& folder)
    : path_(folder + "/" + std::string(kTemporaryFilePrefix) + std::string(kRandomLength, 'X'))
{
}

TemporaryFile::~TemporaryFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (created_ && !kept_)
        ::unlink(path_.c_str());
}

bool TemporaryFile::tryCreate()
{
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC); // mode 0600
    created_ = fd_ >= 0;
    return created_;
}

void TemporaryFile::create(const std::string& target)
{
    if (!tryCreate())
        fail("Cannot create a temporary file for", target, errno);
}

void TemporaryFile::write(std::string_view data, const std::string& target)
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

void TemporaryFile::syncAndClose(const std::string& target)
{
    if (::fsync(fd_) != 0)
        fail("Cannot write", target, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        fail("Cannot write", target, errno);
}

} // namespace kestrin
