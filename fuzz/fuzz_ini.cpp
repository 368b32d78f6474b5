// Feeds arbitrary bytes to the settings file reader: parsing, loading every
// key, storing back and re-reading must neither crash nor change a value.
#include "ini_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (!kestrin::walkIniInput(std::string_view(reinterpret_cast<const char*>(data), size)))
        __builtin_trap();
    return 0;
}
