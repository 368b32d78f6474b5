#pragma once
// Blocking waits are cut into short slices so that an abort flag set by another
// thread is noticed at once, while the whole wait still honours its time-out.
#include <algorithm>
#include <chrono>

namespace kestrin {

constexpr int kWaitSliceMs = 50;

class WaitDeadline {
public:
    // timeoutMs <= 0: no limit.
    explicit WaitDeadline(int timeoutMs)
        : limited_(timeoutMs > 0), end_(std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs))
    {
    }

    bool expired() const { return limited_ && std::chrono::steady_clock::now() >= end_; }

    // The next wait: one slice, or less when the deadline is nearer.
    int nextSliceMs() const
    {
        if (!limited_)
            return kWaitSliceMs;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end_ - std::chrono::steady_clock::now());
        return static_cast<int>(std::clamp<long long>(left.count(), 1, kWaitSliceMs));
    }

private:
    bool limited_;
    std::chrono::steady_clock::time_point end_;
};

} // namespace kestrin
