#pragma once
// The Bayes score of a text against one word table: every token of at least
// the minimum length adds the `stat` of each record of the table whose name
// equals it ignoring ASCII case; the sum is scaled by the number of tokens and
// the table's largest `stat` to 0..10000.
#include "engine/bayes_filter.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrin {

struct BayesScores {
    uint64_t good = 0;
    uint64_t spam = 0;

    bool operator==(const BayesScores&) const = default;
};

// sum * 10000 / (tokens * maxStat), truncated; 0 when either factor of the
// divisor is 0. Computed wide: the 32-bit form overflowed for long messages and
// turned the verdict into chance. Stays within 0..10000 while no table holds a
// name twice; beyond 64 bits (only with absurd hand-edited counts) it saturates.
uint64_t bayesScoreValue(uint64_t sum, uint64_t tokens, uint32_t maxStat);

// Both tables of a word array, indexed by case-folded name, so that scoring a
// message costs one lookup per token instead of a scan of the array. Records
// with the same folded name add up, as they do in a scan. Built from a
// snapshot; it keeps no reference to the array.
class BayesWordIndex {
public:
    explicit BayesWordIndex(const std::vector<BayesWordRecord>& words);

    size_t wordCount(BayesList list) const { return wordCounts_[slot(list)]; }
    uint32_t maxStat(BayesList list) const { return maxStats_[slot(list)]; }

    // Tokens are the texts before each blank; text after the last blank is no
    // token. Short and empty tokens are counted but never looked up.
    uint64_t score(BayesList list, std::string_view text, size_t minLength = kBayesMinWordLength) const;
    // Both scores in one walk over the text.
    BayesScores scores(std::string_view text, size_t minLength = kBayesMinWordLength) const;

private:
    using StatSums = std::array<uint64_t, 2>;

    static size_t slot(BayesList list) { return list == BayesList::Good ? 0 : 1; }
    // Token count and, per table, the summed `stat` of the matching records.
    std::pair<uint64_t, StatSums> tally(std::string_view text, size_t minLength) const;

    std::unordered_map<std::string, StatSums> statSums_;
    std::array<size_t, 2> wordCounts_{};
    std::array<uint32_t, 2> maxStats_{};
};

// One score without keeping an index (the index is built for this call).
uint64_t bayesScore(const std::vector<BayesWordRecord>& words, BayesList list, std::string_view text,
                    size_t minLength = kBayesMinWordLength);

} // namespace kestrin
