// Feeds arbitrary bytes to the mail report entry as a payload: reading and
// writing back must give the same bytes, and setting a mark only its field.
#include "mail_entry_walk.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::string> problem = kestrin::walkMailEntryPayload(input)) {
        std::fprintf(stderr, "mail entry walk: %s\n", problem->c_str());
        std::abort();
    }
    return 0;
}
