#pragma once
// Message counters: this run's, in memory, and the running totals stored in
// section "Stats" of the settings file.
#include <cstdint>

namespace kestrin {

struct StatsTotals {
    uint32_t checkMsg = 0; // CheckMsg: messages analysed
    uint32_t delMsg = 0;   // DelMsg: messages deleted
    uint32_t err = 0;      // Err: error entries
    uint32_t bayAll = 0;   // BayAll: entries the user marked for the Bayes filter
    uint32_t bayDel = 0;   // BayDel: messages deleted by the Bayes filter
    uint32_t bayList0 = 0; // BayList0: marked good
    uint32_t bayList1 = 0; // BayList1: marked spam

    bool operator==(const StatsTotals&) const = default;
};

struct RunCounters {
    uint32_t checked = 0;
    uint32_t deleted = 0;
    uint32_t errors = 0;
};

struct Counters {
    RunCounters run;
    StatsTotals totals;
};

// Adds 1 unless the counter already holds the largest 32-bit value: a total
// that wrapped to 0 would lose years of statistics.
void incrementCounter(uint32_t& counter);

// The statistics page's clear commands: this run's counters, the totals
// CheckMsg, DelMsg and Err, or both. The Bayes counters are kept.
void clearRunCounters(Counters& counters);
void clearTotals(Counters& counters);
void clearRunCountersAndTotals(Counters& counters);

} // namespace kestrin
