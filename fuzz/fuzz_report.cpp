// Feeds arbitrary bytes to the report log as the contents of report.dat: line
// splitting, entry and field splitting, mail entries and the size
// limit must neither crash nor change bytes they should keep.
#include "report_walk.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (const std::optional<std::string> problem = kestrin::walkReportInput(input)) {
        std::fprintf(stderr, "report walk: %s\n", problem->c_str());
        std::abort();
    }
    return 0;
}
