#pragma once
// What the check-cycle worker hands to its host. The worker never changes the
// program's shared state itself: every change travels inside a handoff, and
// the host applies it on the thread that owns that state (the window's UI
// thread, or inline for the command line).
#include "engine/result_flags.h"
#include "storage/record_key.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

// One delete by a rule: that rule's `stat` grows by one. The key finds the
// rule however the user changed the rule list during the cycle.
struct RuleStatHit {
    RecordKey ruleKey = 0;
};

// An account's skip counter takes this value.
struct SkipCounterChange {
    RecordKey accountKey = 0;
    uint8_t skip = 0;
};

// Changes to records collected since the previous handoff.
struct SharedChanges {
    std::vector<RuleStatHit> ruleStats;
    std::vector<SkipCounterChange> skipCounters;

    bool empty() const { return ruleStats.empty() && skipCounters.empty(); }
};

// The result step: what it counts, the report payload (empty = no entry), and
// what else changes with it.
struct CycleResult {
    ResultFlags flags;
    std::string reportText;
    bool newEntry = false; // a "mail" entry was built: the new-entry count grows
    SharedChanges changes;
    std::string bayesWords; // with a new entry: the message's words, for a later Bayes mark
};

// The end step: the new-mail texts for the notice, and the last changes.
struct CycleEnd {
    uint32_t newMailCount = 0;
    std::string senderText;  // full address of the only new message, or "N nadawców"
    std::string subjectText; // its subject, or "(...)"
    SharedChanges changes;
};

// Each call is a synchronous handoff: it returns when the host has run the step.
class CycleHost {
public:
    virtual ~CycleHost();
    virtual void status(const std::string& text) = 0; // Windows-1250
    virtual void progress(uint8_t percent) = 0;
    virtual void result(const CycleResult& result) = 0;
    // Not called when the cycle was cancelled.
    virtual void end(const CycleEnd& end) = 0;
};

} // namespace kestrin
