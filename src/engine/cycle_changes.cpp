#include "engine/cycle_changes.h"

#include "engine/result_counting.h"

namespace kestrin {

void applySharedChanges(const SharedChanges& changes, ProgramData& data)
{
    for (const RuleStatHit& hit : changes.ruleStats) {
        if (hit.ruleIndex < data.rules.size() && data.rules[hit.ruleIndex].name == hit.ruleName)
            incrementCounter(data.rules[hit.ruleIndex].stat);
    }
    for (const SkipCounterChange& change : changes.skipCounters) {
        if (change.accountIndex < data.accounts.size() && data.accounts[change.accountIndex].name == change.accountName)
            data.accounts[change.accountIndex].skip = change.skip;
    }
}

void bumpNewEntryCount(int& newEntryCount)
{
    if (newEntryCount < 0)
        newEntryCount = 1;
    else
        ++newEntryCount;
}

void applyCycleResult(const CycleResult& result, ProgramData& data, int& newEntryCount)
{
    applySharedChanges(result.changes, data);
    applyResult(result.flags, result.reportText, data.counters, data.report);
    if (result.newEntry)
        bumpNewEntryCount(newEntryCount);
}

} // namespace kestrin
