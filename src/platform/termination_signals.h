#pragma once
// SIGTERM and SIGINT end the tray program the way its quit command does. A
// signal handler may do almost nothing, so it only writes the signal's number
// into a pipe; a socket notifier on the other end runs the callback in the
// event loop of the thread that created this object.
#include <functional>
#include <memory>

class QSocketNotifier;

namespace kestrin {

class TerminationSignals {
public:
    // One object at a time: a second one throws std::logic_error. Throws
    // std::system_error when the pipe cannot be made.
    explicit TerminationSignals(std::function<void(int signal)> onSignal);
    // Puts the previous handlers back.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

private:
    void readSignals();

    std::function<void(int)> onSignal_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace kestrin
