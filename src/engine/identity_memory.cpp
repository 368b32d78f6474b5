#include "engine/identity_memory.h"

#include <algorithm>
#include <stdexcept>

namespace kestrin {

IdentityMemory::IdentityMemory(size_t capacity) : capacity_(capacity)
{
    if (capacity == 0)
        throw std::invalid_argument("An identity memory needs at least one slot");
}

bool IdentityMemory::find(std::string_view identity) const
{
    if (identity.empty())
        return false;
    const std::lock_guard lock(mutex_);
    return held_.contains(std::string(identity));
}

void IdentityMemory::insert(std::string_view identity)
{
    insert(identity, generation());
}

void IdentityMemory::insert(std::string_view identity, uint64_t generation)
{
    if (identity.empty())
        return;
    std::string text(identity);
    const std::lock_guard lock(mutex_);
    if (generation != generation_ || held_.contains(text))
        return;
    if (order_.size() == capacity_) {
        held_.erase(order_.front());
        order_.pop_front();
    }
    held_.insert(text);
    order_.push_back(std::move(text));
}

void IdentityMemory::remove(std::string_view identity)
{
    const std::string text(identity);
    const std::lock_guard lock(mutex_);
    if (held_.erase(text) == 0)
        return;
    order_.erase(std::find(order_.begin(), order_.end(), text));
}

void IdentityMemory::clear()
{
    const std::lock_guard lock(mutex_);
    order_.clear();
    held_.clear();
    ++generation_;
}

uint64_t IdentityMemory::generation() const
{
    const std::lock_guard lock(mutex_);
    return generation_;
}

std::vector<std::string> IdentityMemory::slotContents() const
{
    const std::lock_guard lock(mutex_);
    std::vector<std::string> result(order_.begin(), order_.end());
    result.resize(capacity_);
    return result;
}

} // namespace kestrin
