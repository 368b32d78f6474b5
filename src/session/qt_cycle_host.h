#pragma once
// The check cycle's host in the window. Each step is queued to the UI thread
// and the worker waits for it in short slices, checking the cancel token
// between them: a shutdown never waits on a worker that waits on the UI
// thread. A step that reaches the UI thread after the cancel changes nothing.
#include "engine/cancel_token.h"
#include "engine/cycle_host.h"
#include "session/hand_over_gate.h"

#include <functional>
#include <memory>

namespace kestrin::session {

// How long the worker sleeps between two looks at the cancel token.
inline constexpr int kHandOverSliceMs = 50;

class QtCycleHost : public CycleHost {
public:
    QtCycleHost(std::shared_ptr<HandOverGate> gate, std::shared_ptr<CancelToken> cancel)
        : gate_(std::move(gate)), cancel_(std::move(cancel))
    {
    }

    void status(const std::string& text) override;
    void progress(uint8_t percent) override;
    void result(const CycleResult& result) override;
    void end(const CycleEnd& end) override;

private:
    // Runs step on the UI thread and returns when it has run there; throws
    // CycleCancelled when the cycle is cancelled meanwhile.
    void handOver(std::function<void(CycleSteps&)> step);

    std::shared_ptr<HandOverGate> gate_;
    std::shared_ptr<CancelToken> cancel_;
};

} // namespace kestrin::session
