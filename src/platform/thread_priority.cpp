#include "platform/thread_priority.h"

#include <cerrno>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace kestrin {

void lowerCurrentThreadPriority()
{
    // With PRIO_PROCESS and a thread id, Linux changes only that thread.
    const auto thread = static_cast<id_t>(::syscall(SYS_gettid));
    errno = 0;
    const int current = ::getpriority(PRIO_PROCESS, thread);
    if (errno != 0)
        return;
    ::setpriority(PRIO_PROCESS, thread, current + 1);
}

} // namespace kestrin
