#pragma once
// Deleting several records chosen by their IDs as they stood before the
// deletion, as the list pages delete their selected rows: later records move
// down, so IDs always run from 0 without gaps.
#include "storage/program_data.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace kestrin {

// Repeated IDs count once; IDs past the end are left alone.
template <typename Record> void eraseRecordsAt(std::vector<Record>& records, std::vector<size_t> ids)
{
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    // From the last, so the IDs not yet deleted still name their records.
    for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
        if (*id < records.size())
            records.erase(records.begin() + static_cast<std::ptrdiff_t>(*id));
    }
}

// The same for the list of one record kind.
void eraseRecordsOfKind(ProgramData& data, RecordKind kind, std::vector<size_t> ids);

} // namespace kestrin
