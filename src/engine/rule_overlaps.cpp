#include "engine/rule_overlaps.h"

#include "engine/rule_cover.h"

#include <optional>

namespace kestrin {
namespace {

// A later rule that the covered one covers back is an equal; counting it would
// list both, and deleting both would lose what they select.
std::optional<size_t> firstCoveringRule(const std::vector<CoverOperand>& operands, size_t covered)
{
    for (size_t s = 0; s < operands.size(); ++s) {
        if (s == covered || !ruleCovers(operands[s], operands[covered]))
            continue;
        if (s > covered && ruleCovers(operands[covered], operands[s]))
            continue;
        return s;
    }
    return std::nullopt;
}

void lowerLaterIds(std::vector<OverlapLine>& lines, size_t deletedId)
{
    for (OverlapLine& line : lines)
        if (line.id > deletedId)
            --line.id;
}

} // namespace

std::vector<OverlapLine> findOverlappingRules(const std::vector<RuleRecord>& rules)
{
    std::vector<OverlapLine> lines;
    if (rules.size() < 2)
        return lines;
    std::vector<CoverOperand> operands;
    operands.reserve(rules.size());
    for (const RuleRecord& rule : rules)
        operands.push_back(coverOperand(rule));
    for (size_t r = 0; r < rules.size(); ++r)
        if (const auto s = firstCoveringRule(operands, r))
            lines.push_back({r, rules[r].name, rules[*s].name, true});
    return lines;
}

OverlapDeletion deleteCheckedOverlaps(std::vector<RuleRecord> rules, std::vector<OverlapLine> lines)
{
    OverlapDeletion result;
    size_t i = 0;
    while (i < lines.size()) {
        if (!lines[i].checked) {
            ++i;
            continue;
        }
        const size_t id = lines[i].id;
        lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
        if (id >= rules.size())
            continue;
        rules.erase(rules.begin() + static_cast<std::ptrdiff_t>(id));
        ++result.deleted;
        lowerLaterIds(lines, id);
    }
    result.rules = std::move(rules);
    result.lines = std::move(lines);
    return result;
}

} // namespace kestrin
