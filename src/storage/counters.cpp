#include "storage/counters.h"

#include <limits>

namespace kestrin {

void incrementCounter(uint32_t& counter)
{
    if (counter < std::numeric_limits<uint32_t>::max())
        ++counter;
}

void clearRunCounters(Counters& counters)
{
    counters.run = RunCounters{};
}

void clearTotals(Counters& counters)
{
    counters.totals.checkMsg = 0;
    counters.totals.delMsg = 0;
    counters.totals.err = 0;
}

void clearRunCountersAndTotals(Counters& counters)
{
    clearRunCounters(counters);
    clearTotals(counters);
}

} // namespace kestrin
