#pragma once
// What the window does for a running check cycle, always on the UI thread:
// the status, progress, result and end handoffs of the worker, and the notice
// that the worker's thread has finished.
#include "engine/cycle_host.h"

#include <cstdint>
#include <string>

namespace kestrin {
enum class CycleOutcome; // engine/sweeper.h
}

namespace kestrin::session {

class CycleSteps {
public:
    virtual ~CycleSteps();
    virtual void cycleStatus(const std::string& text) = 0; // Windows-1250
    virtual void cycleProgress(uint8_t percent) = 0;
    virtual void cycleResult(const CycleResult& result) = 0;
    virtual void cycleEnd(const CycleEnd& end) = 0;
    // The worker has run its last step (or was cancelled) and is about to end.
    virtual void cycleFinished(CycleOutcome outcome) = 0;
};

} // namespace kestrin::session
