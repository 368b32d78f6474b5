#pragma once
// Whether one rule makes another pointless: every message the covered rule
// selects, the covering rule selects too. Only field, condition and value count.
#include <cstdint>
#include <string>
#include <vector>

namespace kestrin {

struct RuleRecord;

// A rule as the comparison needs it: the value folded once, and its words (the
// non-empty parts of at most 256) for the word-list conditions.
struct CoverOperand {
    uint8_t typ = 0;
    uint8_t sub = 0;
    std::string value;
    std::vector<std::string> words;
};

CoverOperand coverOperand(const RuleRecord& rule);

// True when `covering` covers `covered`; both must be different rules.
bool ruleCovers(const CoverOperand& covering, const CoverOperand& covered);

} // namespace kestrin
