// readWholeFile of storage/atomic_file.h.
#include "storage/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kestrin {
namespace {

// Closes the descriptor on every way out.
class ReadDescriptor {
public:
    explicit ReadDescriptor(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~ReadDescriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    ReadDescriptor(const ReadDescriptor&) = delete;
    ReadDescriptor& operator=(const ReadDescriptor&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

[[noreturn]] void fail(const std::string& what, const std::string& path, int error)
{
    throw EFileError(what + " " + path + ": " + std::strerror(error));
}

std::string sizeText(size_t bytes)
{
    if (bytes % (size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

} // namespace

// The size the file claims is not asked: /dev/zero and a pipe claim 0, and a
// file may grow while it is read. The bound is checked on what arrives.
std::string readWholeFile(const std::string& path, size_t maxBytes)
{
    const ReadDescriptor file(path);
    if (file.fd() < 0)
        fail("Cannot open", path, errno);
    std::string data;
    char buffer[65536];
    for (;;) {
        const size_t wanted = std::min(sizeof buffer, maxBytes - data.size() + 1);
        const ssize_t n = ::read(file.fd(), buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            fail("Cannot read", path, errno);
        if (n == 0)
            return data;
        data.append(buffer, static_cast<size_t>(n));
        if (data.size() > maxBytes)
            throw EFileTooLarge("Cannot read " + path + ": the file is larger than " + sizeText(maxBytes));
    }
}

} // namespace kestrin
