#pragma once
// The Bayes filter's two word tables share one array of word records, told
// apart by `list`. A record's `stat` is the number of marked messages of its
// table that held the word. These are the limits of the tables and the word
// count of a table.
#include "storage/records.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrin {

enum class BayesList : int32_t {
    Good = 0,
    Spam = 1,
};

// Shorter words are mostly function words that tell good from spam poorly.
inline constexpr size_t kBayesMinWordLength = 4;
// Longer "words" are base64 lines, URLs with session keys and the like: they
// never recur, and would only bloat the tables.
inline constexpr size_t kBayesMaxWordLength = 40;
// Room for the vocabulary of some thousand messages; training beyond this
// replaces the least recently used word of the table. Both tables share one
// word file of at most kMaxRecordRows rows.
inline constexpr size_t kBayesMaxTableWords = 32000;
// One marked message teaches at most this many words (a real message has a
// few hundred): a mail of random words must not wipe out a learnt table.
inline constexpr size_t kBayesMaxMessageWords = 5000;
// `stat` counts messages; it stops here rather than wrap.
inline constexpr uint32_t kBayesMaxStat = 0x7fffffff;

constexpr int32_t bayesListValue(BayesList list)
{
    return static_cast<int32_t>(list);
}

bool inBayesList(const BayesWordRecord& word, BayesList list);

// Number of word records whose `list` is the table's.
size_t bayesWordCount(const std::vector<BayesWordRecord>& words, BayesList list);

} // namespace kestrin
