#pragma once
// The rule page draws each rule's hits against the largest count; the window
// keeps both figures and recomputes them at start, after rule changes and at
// the end of every check cycle.
#include "storage/records.h"

#include <cstdint>
#include <vector>

namespace kestrin {

struct RuleHitStatistics {
    uint32_t maximum = 1; // the largest `stat`, at least 1 (it divides)
    uint64_t total = 0;   // the sum of every `stat`; 64 bits, as 1000 rules can pass 32
};

RuleHitStatistics computeRuleHitStatistics(const std::vector<RuleRecord>& rules);

} // namespace kestrin
