// Feeds arbitrary bytes to the POP3 reply and multi-line block readers as a
// hostile server's lines: they must neither crash nor read out of bounds.
// Only the mail layer's own exceptions are expected.
#include "pop3_reply_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrin::walkPop3ReplyInput(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
