#include "engine/cycle_changes.h"

#include "engine/result_counting.h"

#include <algorithm>

namespace kestrin {

namespace {

// The record of that key; none once the user deleted it.
template <typename Record> Record* findByKey(std::vector<Record>& records, RecordKey key)
{
    const auto found = std::find_if(records.begin(), records.end(), [key](const Record& r) { return r.key == key; });
    return found == records.end() ? nullptr : &*found;
}

} // namespace

void applySharedChanges(const SharedChanges& changes, ProgramData& data)
{
    for (const RuleStatHit& hit : changes.ruleStats) {
        if (RuleRecord* rule = findByKey(data.rules, hit.ruleKey))
            incrementCounter(rule->stat);
    }
    for (const SkipCounterChange& change : changes.skipCounters) {
        if (AccountRecord* account = findByKey(data.accounts, change.accountKey))
            account->skip = change.skip;
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
