// Feeds arbitrary bytes to the record database reader, as a plain image and as
// a scrambled file, then converts the table to every record kind: a damaged or
// hostile file must neither crash nor read out of bounds. Only the storage
// errors (refusal, damaged file, unconvertible value) are expected.
#include "record_db_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrin::walkRecordDbInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
