#include "engine/bayes_score.h"

#include "engine/bayes_tokens.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrin {
namespace {

// Only hand-edited files could reach the top; a wrapped sum would flip the verdict.
void addSaturating(uint64_t& sum, uint64_t value)
{
    sum = value > std::numeric_limits<uint64_t>::max() - sum ? std::numeric_limits<uint64_t>::max() : sum + value;
}

// A long message would otherwise pile up hundreds of mildly leaning words into
// a certainty that none of them carries.
void keepMostTelling(std::vector<double>& probabilities, size_t count)
{
    if (probabilities.size() <= count)
        return;
    const auto stronger = [](double a, double b) { return std::fabs(a - 0.5) > std::fabs(b - 0.5); };
    std::nth_element(probabilities.begin(), probabilities.begin() + static_cast<std::ptrdiff_t>(count),
                     probabilities.end(), stronger);
    probabilities.resize(count);
}

} // namespace

BayesWordIndex::BayesWordIndex(const std::vector<BayesWordRecord>& words, const BayesMessageCounts& marked,
                               const BayesParameters& parameters)
    : messages_(marked), parameters_(parameters)
{
    counts_.reserve(words.size());
    for (const BayesWordRecord& word : words) {
        if (!inBayesList(word, BayesList::Good) && !inBayesList(word, BayesList::Spam))
            continue;
        const size_t table = slot(static_cast<BayesList>(word.list));
        ++wordCounts_[table];
        addSaturating(counts_[bayesWordKey(word.name)][table], word.stat);
    }
    for (const auto& [name, counts] : counts_) {
        messages_.good = std::max(messages_.good, counts[0]);
        messages_.spam = std::max(messages_.spam, counts[1]);
    }
}

double BayesWordIndex::wordProbability(std::string_view word) const
{
    const auto found = counts_.find(bayesWordKey(word));
    if (found == counts_.end())
        return parameters_.priorProbability;
    return robinsonProbability(found->second[0], found->second[1], messages_, parameters_);
}

BayesScores BayesWordIndex::score(std::string_view text) const
{
    std::vector<double> probabilities;
    for (const std::string_view word : bayesDistinctWords(text)) {
        // A word no marked message held (or only neutralised records) is no
        // evidence, whatever the prior leans to.
        const auto found = counts_.find(bayesWordKey(word));
        if (found == counts_.end() || found->second[0] + found->second[1] == 0)
            continue;
        const double f = robinsonProbability(found->second[0], found->second[1], messages_, parameters_);
        if (std::fabs(f - 0.5) >= parameters_.minDeviation)
            probabilities.push_back(f);
    }
    keepMostTelling(probabilities, parameters_.maxWords);
    return {fisherSpamicity(probabilities), probabilities.size()};
}

} // namespace kestrin
