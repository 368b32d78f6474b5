#pragma once
// The worker's one way onto the UI thread. A call is queued to the window's
// event loop, never delivered as a blocking queued call the UI thread might
// itself be waiting on. Posting and closing share one lock, so once the window
// has closed the gate (at shutdown or destruction) no call can reach it, not
// even from a worker that was abandoned at shutdown.
#include "session/cycle_steps.h"

#include <QObject>

#include <functional>
#include <mutex>

namespace kestrin::session {

class HandOverGate {
public:
    // receiver: the QObject whose thread runs the calls; steps: what they call.
    // Both are the window, which closes the gate before it goes away.
    HandOverGate(QObject& receiver, CycleSteps& steps) : receiver_(&receiver), steps_(&steps) {}

    // Queues call to run on the receiver's thread; false once the gate is closed.
    // A queued call dies with the receiver if the receiver is destroyed first.
    bool post(std::function<void(CycleSteps&)> call);
    void close();
    bool isOpen() const;

private:
    mutable std::mutex mutex_;
    QObject* receiver_;
    CycleSteps* steps_;
};

} // namespace kestrin::session
