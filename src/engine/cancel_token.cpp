#include "engine/cancel_token.h"

#include <vector>

namespace kestrin {

void CancelToken::cancel()
{
    std::vector<std::function<void()>> aborts;
    {
        std::lock_guard lock(mutex_);
        if (cancelled_)
            return;
        cancelled_ = true;
        for (auto& [id, abort] : aborts_)
            aborts.push_back(abort);
    }
    wake_.notify_all();
    // Outside the lock: an abort may take the session's own lock.
    for (auto& abort : aborts)
        abort();
}

bool CancelToken::cancelled() const
{
    std::lock_guard lock(mutex_);
    return cancelled_;
}

void CancelToken::throwIfCancelled() const
{
    if (cancelled())
        throw CycleCancelled();
}

bool CancelToken::sleepFor(int64_t ms)
{
    std::unique_lock lock(mutex_);
    return !wake_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return cancelled_; });
}

uint64_t CancelToken::registerAbort(std::function<void()> abort)
{
    {
        std::lock_guard lock(mutex_);
        if (!cancelled_) {
            const uint64_t id = nextId_++;
            aborts_.emplace(id, std::move(abort));
            return id;
        }
    }
    abort();
    return 0;
}

void CancelToken::unregisterAbort(uint64_t id)
{
    std::lock_guard lock(mutex_);
    aborts_.erase(id);
}

CancelRegistration::CancelRegistration(CancelToken& token, std::function<void()> abort)
    : token_(token), id_(token.registerAbort(std::move(abort)))
{
}

CancelRegistration::~CancelRegistration()
{
    token_.unregisterAbort(id_);
}

} // namespace kestrin
