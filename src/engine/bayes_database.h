#pragma once
// What the Bayes word viewer does to the tables: its count text, neutralising
// one word and clearing the whole database with its counters.
#include "engine/bayes_filter.h"
#include "storage/counters.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// The zero date-time in the default form: a neutralised word is the first to
// be replaced in a full table.
inline constexpr std::string_view kBayesNeverUsed = "1899-12-30";

// "N / 32000": the table's words and its size.
std::string bayesTableCountText(const std::vector<BayesWordRecord>& words, BayesList list);

// The word stays in its table but counts for no message (`stat` 0) and is
// replaced first. False when there is no such record.
bool neutraliseBayesWord(std::vector<BayesWordRecord>& words, size_t index);

// Every word goes, and with it the marks they were counted from (BayAll,
// BayList0, BayList1) and BayDel: stale mark counts over empty tables would
// make the filter decide again before it has learnt anything.
void clearBayesDatabase(std::vector<BayesWordRecord>& words, StatsTotals& totals);

} // namespace kestrin
