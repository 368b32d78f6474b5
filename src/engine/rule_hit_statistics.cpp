#include "engine/rule_hit_statistics.h"

#include <algorithm>

namespace kestrin {

RuleHitStatistics computeRuleHitStatistics(const std::vector<RuleRecord>& rules)
{
    RuleHitStatistics statistics;
    for (const RuleRecord& rule : rules) {
        statistics.maximum = std::max(statistics.maximum, rule.stat);
        statistics.total += rule.stat;
    }
    return statistics;
}

} // namespace kestrin
