#pragma once
// The rule editor's save steps without the window: what the editor refuses,
// what it asks before it goes on, and the record it stores. The window, the
// session and kestrin-cli all save a rule through checkRuleSave, so a rule
// that one of them refuses is refused by all.
#include "storage/records.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kestrin {

// The editor's Yes/No questions, in the order the save asks them.
enum class RuleSaveQuestion : uint8_t {
    EmptyValue,
    DoubleSpace,
    ValueAddress,
    ForwardAddress,
    SizeNotArchived,
};

// What the editor holds when its save runs: the record made of its controls
// and the selected line of the condition list (-1 when none is), which tells a
// separator line from a condition, as the stored code cannot.
struct RuleDraft {
    RuleRecord record;
    int conditionLine = 0;
};

// The draft of a stored rule as the editor shows it: its code's line selected.
RuleDraft draftOfRule(const RuleRecord& rule);

// The settings a forwarding or answering rule needs (Windows-1250 texts).
struct SmtpSetup {
    std::string host;
    std::string port;
    std::string sender;
};

enum class RuleSaveStatus { Refused, Asked, Accepted };

struct RuleSaveOutcome {
    RuleSaveStatus status = RuleSaveStatus::Accepted;
    std::string text;                                         // refusal or question (Windows-1250); empty when accepted
    std::string caption;                                      // of the box showing text (Windows-1250)
    RuleSaveQuestion question = RuleSaveQuestion::EmptyValue; // when asked
    RuleRecord record;                                        // when accepted: the record to store
};

// The save steps in order, up to the store. editIndex -1 adds a rule;
// otherwise the rule at editIndex is being changed (an index past the list is
// refused with an empty text). A question answered Yes in yes is passed.
RuleSaveOutcome checkRuleSave(const RuleDraft& draft, const std::vector<RuleRecord>& rules, int editIndex,
                              const SmtpSetup& smtp, const std::set<RuleSaveQuestion>& yes);

} // namespace kestrin
