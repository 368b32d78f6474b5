#pragma once
// One check cycle on a thread of its own, one step below normal priority.
// Everything the worker touches is held through shared pointers by the worker
// itself, so a worker that does not end within the shutdown's patience can be
// left behind without using anything freed: it ends on its own (the cancel
// token has aborted its sockets) or dies with the process.
#include "engine/cancel_token.h"
#include "engine/cycle_snapshot.h"
#include "engine/internet_check.h"
#include "mail/line_channel.h"
#include "session/hand_over_gate.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace kestrin {
class IdentityMemory;
}

namespace kestrin::session {

struct CycleResources {
    std::string programFolder;
    std::shared_ptr<const CycleSnapshot> snapshot;
    std::shared_ptr<LineChannelFactory> channels;
    std::shared_ptr<InternetCheck> internet;
    std::shared_ptr<IdentityMemory> checkedMemory;
    std::shared_ptr<IdentityMemory> markedMemory;
    std::shared_ptr<CancelToken> cancel;
};

// How long a shutdown waits for a cancelled worker to end.
inline constexpr std::chrono::milliseconds kWorkerStopWait{1500};

class CycleWorker {
public:
    // Starts the cycle at once. Its steps and, last, cycleFinished go through the gate.
    CycleWorker(CycleResources resources, std::shared_ptr<HandOverGate> gate);
    // Stops a worker that is still running (stop(kWorkerStopWait)).
    ~CycleWorker();
    CycleWorker(const CycleWorker&) = delete;
    CycleWorker& operator=(const CycleWorker&) = delete;

    // Cancels the cycle (no further step, no QUIT, so no deletion) and waits at
    // most limit for the thread to end. True when it ended; otherwise it is
    // left to itself.
    bool stop(std::chrono::milliseconds limit);
    // After cycleFinished: waits for the thread's last instructions.
    void join();
    bool running() const;

private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace kestrin::session
