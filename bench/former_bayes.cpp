#include "former_bayes.h"

#include "engine/bayes_last_use.h"
#include "engine/top_words.h"
#include "text/ascii_case.h"
#include "text/date_text.h"
#include "text/text_split.h"

#include <algorithm>
#include <optional>

namespace kestrin::bench {
namespace {

constexpr size_t kMinWordLength = 4;
constexpr size_t kMinTableWords = 30;
constexpr size_t kMaxTableWords = 400;
constexpr uint32_t kMaxStat = 1000;
constexpr size_t kMaxParts = 10;

} // namespace

void FormerBayes::mark(int list, const std::string& topWords, const std::string& subject, TDateTime now)
{
    train(list, topWords, now);
    train(list, kestrin::topWords(subject, kMinWordLength, kMaxParts), now);
}

void FormerBayes::train(int list, std::string_view text, TDateTime now)
{
    for (const std::string& part : splitText(" ", text, kMaxParts - 1)) {
        if (!part.empty())
            trainPart(list, part, now);
    }
}

void FormerBayes::trainPart(int list, const std::string& part, TDateTime now)
{
    const std::string lastUse = defaultDateTimeText(now);
    for (BayesWordRecord& word : words_) {
        if (word.list == list && equalsIgnoreCase(word.name, part)) {
            word.stat = std::min(word.stat + 1, kMaxStat);
            word.lastuse = lastUse;
            return;
        }
    }
    const BayesWordRecord fresh{part, list, 1, lastUse};
    if (wordCount(list) < kMaxTableWords) {
        words_.push_back(fresh);
        return;
    }
    BayesWordRecord* oldest = nullptr;
    std::optional<TDateTime> oldestTime;
    for (BayesWordRecord& word : words_) {
        if (word.list != list)
            continue;
        const TDateTime used = readLastUse(word.lastuse);
        if (used < now && (!oldestTime || used < *oldestTime)) {
            oldest = &word;
            oldestTime = used;
        }
    }
    if (oldest)
        *oldest = fresh;
}

size_t FormerBayes::wordCount(int list) const
{
    return static_cast<size_t>(
        std::count_if(words_.begin(), words_.end(), [list](const BayesWordRecord& w) { return w.list == list; }));
}

void FormerBayes::prepare()
{
    sums_.clear();
    maxStats_ = {};
    for (const BayesWordRecord& word : words_) {
        const auto table = static_cast<size_t>(word.list);
        sums_[lowerAscii(word.name)][table] += word.stat;
        maxStats_[table] = std::max<uint64_t>(maxStats_[table], word.stat);
    }
}

// sum * 10000 / (tokens * largest stat of the table), in 64 bits.
uint64_t FormerBayes::score(int list, std::string_view text) const
{
    const auto table = static_cast<size_t>(list);
    uint64_t tokens = 0;
    uint64_t sum = 0;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ')) {
        const std::string_view token = text.substr(0, blank);
        text.remove_prefix(blank + 1);
        ++tokens;
        if (token.size() < kMinWordLength)
            continue;
        const auto found = sums_.find(lowerAscii(token));
        if (found != sums_.end())
            sum += found->second[table];
    }
    return tokens * maxStats_[table] == 0 ? 0 : sum * 10000 / (tokens * maxStats_[table]);
}

bool FormerBayes::isSpam(std::string_view text, bool safeMode) const
{
    const uint64_t good = score(0, text) * (safeMode ? 2 : 1);
    return wordCount(0) >= kMinTableWords && wordCount(1) >= kMinTableWords && good < score(1, text);
}

} // namespace kestrin::bench
