// Feeds arbitrary bytes to the POP3 client as a hostile server's answers:
// first to the reply and multi-line block readers as lines, then to a whole
// session (log-in, count, sizes, fetches, deletions). Neither may crash or
// read out of bounds, and the session must never send a command while an
// answer is unread, nor DELE a message it did not read whole.
#include "pop3_reply_walk.h"
#include "pop3_session_walk.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    kestrin::walkPop3ReplyInput(input);
    if (kestrin::walkPop3SessionInput(input))
        __builtin_trap();
    return 0;
}
