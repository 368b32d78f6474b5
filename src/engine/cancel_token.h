#pragma once
// Stopping a running cycle: the program quits, or the command line gets a
// signal. cancel() runs every registered abort at once, so a read blocked in a
// POP3 or SMTP session wakes without waiting for its time-out.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <stdexcept>

namespace kestrin {

// Thrown inside the worker once the cycle was cancelled; ends it with no further change.
class CycleCancelled : public std::runtime_error {
public:
    CycleCancelled() : std::runtime_error("Check cycle cancelled.") {}
};

class CancelToken {
public:
    // From any thread; runs each registered abort once.
    void cancel();
    bool cancelled() const;
    void throwIfCancelled() const;
    // Sleeps up to ms milliseconds; returns early (false) when cancelled.
    bool sleepFor(int64_t ms);

    // The abort runs at once when the token is already cancelled.
    uint64_t registerAbort(std::function<void()> abort);
    void unregisterAbort(uint64_t id);

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool cancelled_ = false;
    uint64_t nextId_ = 1;
    std::map<uint64_t, std::function<void()>> aborts_;
};

// Keeps an abort registered for the lifetime of a session.
class CancelRegistration {
public:
    CancelRegistration(CancelToken& token, std::function<void()> abort);
    ~CancelRegistration();
    CancelRegistration(const CancelRegistration&) = delete;
    CancelRegistration& operator=(const CancelRegistration&) = delete;

private:
    CancelToken& token_;
    uint64_t id_;
};

} // namespace kestrin
