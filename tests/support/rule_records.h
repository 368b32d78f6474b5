#pragma once
// Rule records for tests that run the check cycle or classify messages.
#include "storage/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace kestrin::test {

inline RuleRecord ruleRecord(const std::string& name, uint8_t typ, uint8_t sub, const std::string& text,
                             std::array<bool, 4> actions = RuleRecord{}.act, const std::string& sendto = {})
{
    RuleRecord record;
    record.name = name;
    record.typ = typ;
    record.sub = sub;
    record.str = text;
    record.act = actions;
    record.sendto = sendto;
    return record;
}

} // namespace kestrin::test
