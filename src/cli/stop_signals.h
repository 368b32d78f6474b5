#pragma once
// SIGINT and SIGTERM stop kestrin-cli the way quitting the window stops the
// program: the running cycle is cancelled and the caller then saves. The
// signals are taken by sigwait on a thread of their own, so nothing runs in a
// signal handler.
#include "engine/cancel_token.h"

#include <atomic>
#include <csignal>
#include <thread>

namespace kestrin::cli {

class StopSignals {
public:
    // Blocks SIGINT and SIGTERM for this thread and every thread started after
    // it: construct it before any other thread exists. They stay blocked after
    // destruction, so a late signal cannot kill the process halfway through
    // saving.
    explicit StopSignals(CancelToken& token);
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first stop signal received, or 0.
    int received() const { return received_.load(); }

private:
    void waitForSignals();

    CancelToken& token_;
    sigset_t signals_{};
    std::atomic<int> received_{0};
    std::atomic<bool> closing_{false};
    std::thread waiter_;
};

} // namespace kestrin::cli
