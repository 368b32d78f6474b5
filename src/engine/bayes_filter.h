#pragma once
// The Bayes filter's two word tables share one array of word records, told
// apart by `list`. These are the limits and thresholds that make its decisions
// reproducible, and the word count of a table.
#include "storage/records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrin {

enum class BayesList : int32_t {
    Good = 0,
    Spam = 1,
};

// Words shorter than this are counted as tokens but never looked up.
inline constexpr size_t kBayesMinWordLength = 4;
// The filter decides only when each table holds at least this many words.
inline constexpr size_t kBayesMinTableWords = 30;
// Training beyond this replaces the least recently used word of the table.
inline constexpr size_t kBayesMaxTableWords = 400;
inline constexpr uint32_t kBayesMaxStat = 1000;
// One training call adds or refreshes at most this many words.
inline constexpr size_t kBayesMaxTrainedParts = 10;

constexpr int32_t bayesListValue(BayesList list)
{
    return static_cast<int32_t>(list);
}

bool inBayesList(const BayesWordRecord& word, BayesList list);

// Number of word records whose `list` is the table's.
size_t bayesWordCount(const std::vector<BayesWordRecord>& words, BayesList list);

} // namespace kestrin
