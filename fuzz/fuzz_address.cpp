// libFuzzer target for the header parsers: addresses and their text forms,
// encoded words, dates and whole header blocks.
#include "header_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrin::walkHeaderInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
