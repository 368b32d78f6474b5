#include "engine/bayes_score.h"

#include "text/ascii_case.h"

#include <algorithm>
#include <limits>

namespace kestrin {
namespace {

constexpr uint64_t kScoreScale = 10000;

// Only hand-edited counts could reach the top; a wrapped sum would flip the verdict.
void addSaturating(uint64_t& sum, uint64_t value)
{
    sum = value > std::numeric_limits<uint64_t>::max() - sum ? std::numeric_limits<uint64_t>::max() : sum + value;
}

void foldInto(std::string& buffer, std::string_view token)
{
    buffer.resize(token.size());
    std::transform(token.begin(), token.end(), buffer.begin(), [](char c) { return lowerAscii(c); });
}

} // namespace

uint64_t bayesScoreValue(uint64_t sum, uint64_t tokens, uint32_t maxStat)
{
    if (tokens == 0 || maxStat == 0)
        return 0;
    __extension__ using Wide = unsigned __int128;
    const Wide quotient = Wide{sum} * kScoreScale / (Wide{tokens} * maxStat);
    const Wide largest = std::numeric_limits<uint64_t>::max();
    return static_cast<uint64_t>(std::min(quotient, largest));
}

BayesWordIndex::BayesWordIndex(const std::vector<BayesWordRecord>& words)
{
    statSums_.reserve(words.size());
    for (const BayesWordRecord& word : words) {
        if (!inBayesList(word, BayesList::Good) && !inBayesList(word, BayesList::Spam))
            continue;
        const size_t table = slot(static_cast<BayesList>(word.list));
        ++wordCounts_[table];
        maxStats_[table] = std::max(maxStats_[table], word.stat);
        statSums_[lowerAscii(word.name)][table] += word.stat;
    }
}

std::pair<uint64_t, BayesWordIndex::StatSums> BayesWordIndex::tally(std::string_view text, size_t minLength) const
{
    uint64_t tokens = 0;
    StatSums sums{};
    std::string folded;
    size_t from = 0;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ', from)) {
        const std::string_view token = text.substr(from, blank - from);
        from = blank + 1;
        ++tokens;
        if (token.size() < minLength)
            continue;
        foldInto(folded, token);
        const auto found = statSums_.find(folded);
        if (found == statSums_.end())
            continue;
        addSaturating(sums[0], found->second[0]);
        addSaturating(sums[1], found->second[1]);
    }
    return {tokens, sums};
}

uint64_t BayesWordIndex::score(BayesList list, std::string_view text, size_t minLength) const
{
    const auto [tokens, sums] = tally(text, minLength);
    return bayesScoreValue(sums[slot(list)], tokens, maxStat(list));
}

BayesScores BayesWordIndex::scores(std::string_view text, size_t minLength) const
{
    const auto [tokens, sums] = tally(text, minLength);
    return {bayesScoreValue(sums[0], tokens, maxStat(BayesList::Good)),
            bayesScoreValue(sums[1], tokens, maxStat(BayesList::Spam))};
}

uint64_t bayesScore(const std::vector<BayesWordRecord>& words, BayesList list, std::string_view text, size_t minLength)
{
    return BayesWordIndex(words).score(list, text, minLength);
}

} // namespace kestrin
