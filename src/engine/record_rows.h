#pragma once
// The rows the account, rule and friend pages show: the cell texts of each
// record and the order a column click gives. A row's ID is its record's
// position, so the rows always name the records they show.
#include "engine/rule_hit_statistics.h"
#include "storage/program_data.h"
#include "storage/records.h"
#include "storage/settings_values.h"

#include <cstddef>
#include <string>
#include <vector>

namespace kestrin {

enum class RecordPage { Accounts, Rules, Friends };

// Cell texts (Windows-1250), column by column; the first is the ID.
std::vector<std::string> accountCells(const AccountRecord& account, size_t id);
std::vector<std::string> ruleCells(const RuleRecord& rule, size_t id);
std::vector<std::string> friendCells(const FriendRecord& friendRecord, size_t id);

// The cells of every record of a page, by ID.
std::vector<std::vector<std::string>> pageCells(RecordPage page, const ProgramData& data);

// The IDs in the order the page shows them under `sort`. The ID column puts
// higher IDs (newer records) first and the rules' hit column the most used
// rules first; every other column compares its texts ignoring ASCII case.
// Rows that compare equal keep the newest first.
std::vector<size_t> sortedRowOrder(RecordPage page, const std::vector<std::vector<std::string>>& cells,
                                   const std::vector<RuleRecord>& rules, SortState sort);

// The rule details panel for one rule.
struct RuleDetails {
    std::string count; // "12,50%, 5 raz(y)": share of all hits, then the hits
    std::string power; // "50,00%": hits against the most used rule
    uint32_t barMaximum = 1;
    uint32_t barPosition = 0;
};
RuleDetails ruleDetails(const RuleRecord& rule, const RuleHitStatistics& statistics, char decimalSeparator);

} // namespace kestrin
