#pragma once
// The checked-message memory and the marked-for-deletion memory: a fixed number
// of identity slots filled from slot 0 without gaps, the oldest pushed out when
// full. The check-cycle worker and the user-interface thread both use them, so
// every operation takes the memory's own lock.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrin {

class IdentityMemory {
public:
    static constexpr size_t kDefaultCapacity = 256;

    explicit IdentityMemory(size_t capacity = kDefaultCapacity);

    // False for an empty identity; otherwise whether some slot holds it exactly.
    bool find(std::string_view identity) const;
    // Stores the identity in the first free slot unless it is empty or already
    // held; when every slot is taken, the oldest (slot 0) is dropped first.
    void insert(std::string_view identity);
    // The same, unless the memory was cleared since `generation` was read: a
    // clear (a rule was saved) must win over a cycle that is still judging with
    // the old rules, or the messages it judges would never meet the new rule.
    void insert(std::string_view identity, uint64_t generation);
    // Grows by one with every clear.
    uint64_t generation() const;
    // Forgets the identity (later slots move down); nothing when not held.
    void remove(std::string_view identity);
    void clear();

    size_t capacity() const { return capacity_; }
    // Every slot from 0 (oldest) upward; empty slots are empty texts.
    std::vector<std::string> slotContents() const;

private:
    const size_t capacity_;
    mutable std::mutex mutex_;
    std::deque<std::string> order_;
    std::unordered_set<std::string> held_;
    uint64_t generation_ = 0;
};

} // namespace kestrin
