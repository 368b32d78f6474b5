#include "storage/record_key.h"

#include <atomic>

namespace kestrin {

RecordKey newRecordKey()
{
    // Records are made on the window's thread and, in copies, on the worker's.
    static std::atomic<RecordKey> last{0};
    return ++last;
}

} // namespace kestrin
