// Feeds arbitrary bytes to the SMTP reply reader as what a hostile server
// sends: no crash, no read out of bounds, no unbounded growth, and every reply
// it returns is well formed. Only the mail layer's own exceptions are expected.
#include "smtp_reply_walk.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (kestrin::walkSmtpReplyInput(std::string_view(reinterpret_cast<const char*>(data), size)))
        std::abort();
    return 0;
}
