#pragma once
// `TSweeper`: one check cycle over every account, run on a worker thread (or
// inline by the command line). It reads an immutable snapshot and hands every
// change to its host; only the two identity memories are shared directly, and
// they guard themselves.
#include "engine/cancel_token.h"
#include "engine/cycle_host.h"
#include "engine/cycle_snapshot.h"
#include "engine/identity_memory.h"
#include "engine/internet_check.h"
#include "mail/line_channel.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace kestrin {

// Room for the messages a mailbox holds: with fewer slots than messages left
// on the server every cycle forgets and handles them again (re-forwarding and
// re-answering). The marked-for-deletion memory keeps the default 256.
inline constexpr size_t kCheckedMemoryCapacity = 65536;

// programFolder + "/~message.txt": the last message fetched whole.
std::string temporaryMessagePath(const std::string& programFolder);

// Everything a cycle uses besides the snapshot; all owned by the caller and
// outliving the cycle.
struct SweeperContext {
    std::string programFolder; // no trailing slash
    LineChannelFactory& channels;
    InternetCheck& internet;
    IdentityMemory& checkedMemory; // capacity kCheckedMemoryCapacity
    IdentityMemory& markedMemory;  // the report list's marks for deletion
    CancelToken& cancel;
    // Blocking pause in milliseconds; empty = the cancel token's sleep.
    std::function<void(int64_t)> sleep;
};

enum class CycleOutcome { Completed, Cancelled };

class TSweeper {
public:
    TSweeper(std::shared_ptr<const CycleSnapshot> snapshot, SweeperContext context, CycleHost& host);
    ~TSweeper();
    TSweeper(const TSweeper&) = delete;
    TSweeper& operator=(const TSweeper&) = delete;

    // The whole cycle. Host steps run in the order the user sees them; after a
    // cancel no step runs and nothing changes (no QUIT, so no deletion).
    CycleOutcome run();

private:
    std::shared_ptr<const CycleSnapshot> snapshot_;
    SweeperContext context_;
    CycleHost& host_;
};

} // namespace kestrin
