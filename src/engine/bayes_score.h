#pragma once
// The Bayes score of a text: the Fisher spamicity of its distinct words that
// the tables tell apart, each word's probability by Robinson's formula from
// the number of marked good and spam messages that held it.
#include "engine/bayes_filter.h"
#include "engine/bayes_probability.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace kestrin {

struct BayesScores {
    double spamicity = 0.5; // 0 good .. 1 spam; 0.5 without evidence
    size_t words = 0;       // words that counted (outside the minimum deviation)

    bool operator==(const BayesScores&) const = default;
};

// Both tables of a word array, indexed by case-folded name, so that scoring a
// message costs one lookup per word. Records with the same folded name add up.
// The message counts are the marks (BayList0, BayList1) but never fewer than a
// table's largest `stat`: a word cannot be in more messages than were marked,
// and older files counted occurrences. Built from a snapshot; it keeps no
// reference to the array.
class BayesWordIndex {
public:
    BayesWordIndex(const std::vector<BayesWordRecord>& words, const BayesMessageCounts& marked,
                   const BayesParameters& parameters = {});

    size_t wordCount(BayesList list) const { return wordCounts_[slot(list)]; }
    const BayesMessageCounts& messages() const { return messages_; }
    const BayesParameters& parameters() const { return parameters_; }

    // The probability of one word (the prior x for a word neither table holds).
    double wordProbability(std::string_view word) const;
    BayesScores score(std::string_view text) const;

private:
    using Counts = std::array<uint64_t, 2>;

    static size_t slot(BayesList list) { return list == BayesList::Good ? 0 : 1; }

    std::unordered_map<std::string, Counts> counts_;
    std::array<size_t, 2> wordCounts_{};
    BayesMessageCounts messages_;
    BayesParameters parameters_;
};

} // namespace kestrin
