#include "cli/stop_signals.h"

#include <pthread.h>

namespace kestrin::cli {

StopSignals::StopSignals(CancelToken& token) : token_(token)
{
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGINT);
    sigaddset(&signals_, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
    waiter_ = std::thread([this] { waitForSignals(); });
}

StopSignals::~StopSignals()
{
    closing_ = true;
    // Wakes the waiter; the signal is blocked everywhere, so only sigwait sees it.
    pthread_kill(waiter_.native_handle(), SIGTERM);
    waiter_.join();
}

void StopSignals::waitForSignals()
{
    for (;;) {
        int signal = 0;
        if (sigwait(&signals_, &signal) != 0 || closing_)
            return;
        int none = 0;
        received_.compare_exchange_strong(none, signal);
        token_.cancel();
    }
}

} // namespace kestrin::cli
