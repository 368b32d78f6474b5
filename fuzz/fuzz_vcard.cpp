// Feeds arbitrary bytes to the vCard reader as one address book file: reading,
// listing the contacts and asking each one's properties must neither crash nor
// break the shape the friend import relies on.
#include "vcard_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (kestrin::walkVCardInput(std::string_view(reinterpret_cast<const char*>(data), size)))
        __builtin_trap();
    return 0;
}
