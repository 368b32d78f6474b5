#pragma once
// The similar-rule search: which rules other rules already cover, and the
// deletion of the ones the user leaves checked.
#include "storage/records.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrin {

// One line of the search result. `id` is the covered rule's position in the
// rule list (0-based, as the rule page shows it).
struct OverlapLine {
    size_t id = 0;
    std::string name;      // the covered rule's
    std::string coveredBy; // the first covering rule's
    bool checked = true;
};

// Every covered rule once, in list order, with the first rule that covers it.
// Of rules that cover each other only the later ones are listed, covered by the
// first of them, so deleting every line never removes all of them.
std::vector<OverlapLine> findOverlappingRules(const std::vector<RuleRecord>& rules);

struct OverlapDeletion {
    std::vector<RuleRecord> rules;  // what is left, to be written once
    std::vector<OverlapLine> lines; // the unchecked lines, their ids following the deletions
    size_t deleted = 0;
};

// Deletes the rule of every checked line from the top, lowering the ids of
// the later lines after each deletion. A line whose id is outside the list
// deletes nothing.
OverlapDeletion deleteCheckedOverlaps(std::vector<RuleRecord> rules, std::vector<OverlapLine> lines);

} // namespace kestrin
