// Feeds arbitrary bytes to the message reader as a RETR answer: header
// processing and body decoding must neither crash nor read out of bounds.
// Only the mail layer's own exceptions are expected.
#include "message_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrin::walkMessageInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
