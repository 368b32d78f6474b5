#include "session/hand_over_gate.h"

namespace kestrin::session {

CycleSteps::~CycleSteps() = default;

bool HandOverGate::post(std::function<void(CycleSteps&)> call)
{
    std::lock_guard lock(mutex_);
    if (receiver_ == nullptr)
        return false;
    CycleSteps* steps = steps_;
    QMetaObject::invokeMethod(
        receiver_, [steps, call = std::move(call)] { call(*steps); }, Qt::QueuedConnection);
    return true;
}

void HandOverGate::close()
{
    std::lock_guard lock(mutex_);
    receiver_ = nullptr;
    steps_ = nullptr;
}

bool HandOverGate::isOpen() const
{
    std::lock_guard lock(mutex_);
    return receiver_ != nullptr;
}

} // namespace kestrin::session
