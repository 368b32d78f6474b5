#pragma once
// Names one record in memory for as long as the program runs, whatever its
// position in its list: a running cycle's changes find their record by it even
// after the user inserted, deleted or renamed records meanwhile. A copy is the
// same record; a new record made from another takes a fresh key. Never stored.
#include <cstdint>

namespace kestrin {

using RecordKey = uint64_t;

// A key no record of this run has had before; never 0.
RecordKey newRecordKey();

} // namespace kestrin
