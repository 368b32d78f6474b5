#pragma once
// How a host applies the worker's handoffs to the program's data; the window
// and the command line share it so both count and report alike.
#include "engine/cycle_host.h"
#include "storage/program_data.h"

namespace kestrin {

// Each rule hit adds 1 to the `stat` of the rule with its key (capped at the
// 32-bit maximum); skip counters likewise by account key. Changes for a record
// the user deleted meanwhile are dropped.
void applySharedChanges(const SharedChanges& changes, ProgramData& data);

// The new-entry count (rows drawn bold): below 0 it becomes 1, else it grows by 1.
void bumpNewEntryCount(int& newEntryCount);

// The result step: shared changes, counters and report entry (applyResult), new-entry count.
void applyCycleResult(const CycleResult& result, ProgramData& data, int& newEntryCount);

} // namespace kestrin
