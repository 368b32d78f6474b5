#include "platform/abortable_connect.h"

#include "mail/mail_errors.h"
#include "platform/wait_slices.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace kestrin {
namespace {

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

AddressList resolve(const std::string& host, uint16_t port)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_ADDRCONFIG;
    addrinfo* list = nullptr;
    const int result = ::getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &list);
    if (result != 0)
        throw EIdSocketError(result == EAI_SYSTEM ? std::strerror(errno) : ::gai_strerror(result));
    return AddressList(list);
}

enum class Outcome { Connected, Failed, TimedOut };

// Waits for one non-blocking connect; on failure error holds the system's errno.
Outcome awaitConnect(int fd, const WaitDeadline& deadline, const std::atomic<bool>& abortFlag, int& error)
{
    for (;;) {
        if (abortFlag.load())
            throw EIdAborted("Operation aborted.");
        if (deadline.expired())
            return Outcome::TimedOut;
        pollfd entry{fd, POLLOUT, 0};
        const int ready = ::poll(&entry, 1, deadline.nextSliceMs());
        if (ready < 0 && errno != EINTR) {
            error = errno;
            return Outcome::Failed;
        }
        if (ready > 0) {
            socklen_t length = sizeof error;
            if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
                error = errno;
            return error == 0 ? Outcome::Connected : Outcome::Failed;
        }
    }
}

Outcome connectOne(const addrinfo& address, const WaitDeadline& deadline, const std::atomic<bool>& abortFlag, int& fd,
                   int& error)
{
    fd = ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, address.ai_protocol);
    if (fd < 0) {
        error = errno;
        return Outcome::Failed;
    }
    Outcome outcome = Outcome::Connected;
    try {
        if (::connect(fd, address.ai_addr, address.ai_addrlen) != 0) {
            error = errno;
            outcome = error == EINPROGRESS ? awaitConnect(fd, deadline, abortFlag, error) : Outcome::Failed;
        }
    } catch (...) {
        ::close(fd);
        throw;
    }
    if (outcome != Outcome::Connected)
        ::close(fd);
    return outcome;
}

} // namespace

int connectAbortably(const std::string& host, uint16_t port, int timeoutMs, const std::atomic<bool>& abortFlag)
{
    const WaitDeadline deadline(timeoutMs);
    const AddressList addresses = resolve(host, port);
    int lastError = ECONNREFUSED;
    for (const addrinfo* address = addresses.get(); address != nullptr; address = address->ai_next) {
        int fd = -1;
        const Outcome outcome = connectOne(*address, deadline, abortFlag, fd, lastError);
        if (outcome == Outcome::Connected)
            return fd;
        if (outcome == Outcome::TimedOut)
            throw EIdConnectTimeout("Connect timed out.");
    }
    throw EIdSocketError(std::strerror(lastError));
}

} // namespace kestrin
