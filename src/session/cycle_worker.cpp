#include "session/cycle_worker.h"

#include "engine/identity_memory.h"
#include "engine/sweeper.h"

#include "platform/thread_priority.h"
#include "session/qt_cycle_host.h"

#include <condition_variable>
#include <exception>
#include <mutex>

namespace kestrin::session {

struct CycleWorker::Shared {
    Shared(CycleResources r, std::shared_ptr<HandOverGate> g)
        : resources(std::move(r)), gate(std::move(g)), host(gate, resources.cancel)
    {
    }

    CycleResources resources;
    std::shared_ptr<HandOverGate> gate;
    QtCycleHost host;
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
};

CycleWorker::CycleWorker(CycleResources resources, std::shared_ptr<HandOverGate> gate)
    : shared_(std::make_shared<Shared>(std::move(resources), std::move(gate)))
{
    thread_ = std::thread(&CycleWorker::run, shared_);
}

CycleWorker::~CycleWorker()
{
    if (thread_.joinable())
        stop(kWorkerStopWait);
}

void CycleWorker::run(std::shared_ptr<Shared> shared)
{
    lowerCurrentThreadPriority();
    const CycleResources& r = shared->resources;
    CycleOutcome outcome = CycleOutcome::Cancelled;
    try {
        SweeperContext context{r.programFolder, *r.channels, *r.internet, *r.checkedMemory,
                               *r.markedMemory, *r.cancel,   {}};
        TSweeper sweeper(r.snapshot, std::move(context), shared->host);
        outcome = sweeper.run();
    } catch (...) {
        // Whatever escaped the cycle, the window must still get its end-of-cycle
        // step, or the timer would never run again.
        outcome = r.cancel->cancelled() ? CycleOutcome::Cancelled : CycleOutcome::Completed;
    }
    shared->gate->post([outcome](CycleSteps& steps) { steps.cycleFinished(outcome); });
    std::lock_guard lock(shared->mutex);
    shared->done = true;
    shared->ended.notify_all();
}

bool CycleWorker::stop(std::chrono::milliseconds limit)
{
    shared_->resources.cancel->cancel();
    bool ended = false;
    {
        std::unique_lock lock(shared_->mutex);
        ended = shared_->ended.wait_for(lock, limit, [this] { return shared_->done; });
    }
    if (!thread_.joinable())
        return ended;
    if (ended)
        thread_.join();
    else
        thread_.detach();
    return ended;
}

void CycleWorker::join()
{
    if (thread_.joinable())
        thread_.join();
}

bool CycleWorker::running() const
{
    std::lock_guard lock(shared_->mutex);
    return !shared_->done;
}

} // namespace kestrin::session
