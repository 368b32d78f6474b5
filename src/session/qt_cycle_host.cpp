#include "session/qt_cycle_host.h"

#include <QSemaphore>
#include <QtGlobal>

#include <exception>

namespace kestrin::session {

void QtCycleHost::status(const std::string& text)
{
    handOver([text](CycleSteps& steps) { steps.cycleStatus(text); });
}

void QtCycleHost::progress(uint8_t percent)
{
    handOver([percent](CycleSteps& steps) { steps.cycleProgress(percent); });
}

void QtCycleHost::result(const CycleResult& result)
{
    handOver([result](CycleSteps& steps) { steps.cycleResult(result); });
}

void QtCycleHost::end(const CycleEnd& end)
{
    handOver([end](CycleSteps& steps) { steps.cycleEnd(end); });
}

void QtCycleHost::handOver(std::function<void(CycleSteps&)> step)
{
    cancel_->throwIfCancelled();
    // Shared, so the queued call may outlive a worker that stopped waiting.
    auto done = std::make_shared<QSemaphore>();
    auto cancel = cancel_;
    const bool posted = gate_->post([done, cancel, step = std::move(step)](CycleSteps& steps) {
        if (!cancel->cancelled()) {
            try {
                step(steps);
            } catch (const std::exception& e) {
                // The worker must not wait for a step that failed; the cycle goes on.
                qWarning("Check cycle step failed: %s", e.what());
            }
        }
        done->release();
    });
    if (!posted)
        throw CycleCancelled();
    while (!done->tryAcquire(1, kHandOverSliceMs))
        cancel_->throwIfCancelled();
}

} // namespace kestrin::session
