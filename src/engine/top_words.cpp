#include "engine/top_words.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace kestrin {
namespace {

constexpr size_t kMaxTallyWords = 1024;

struct TallyEntry {
    std::string_view word;
    uint16_t count = 0;
};

// Counts stop at the 16-bit maximum: a wrapped count would put the most
// frequent word of a huge message last.
void countOnce(TallyEntry& entry)
{
    if (entry.count < UINT16_MAX)
        ++entry.count;
}

std::vector<TallyEntry> tallyWords(std::string_view text, size_t minLength)
{
    std::vector<TallyEntry> tally;
    std::unordered_map<std::string_view, size_t> indexOf;
    size_t from = 0;
    while (from <= text.size()) {
        size_t blank = text.find(' ', from);
        if (blank == std::string_view::npos)
            blank = text.size();
        const std::string_view word = text.substr(from, blank - from);
        from = blank + 1;
        if (word.size() < minLength || word.size() > kMaxTopWordLength)
            continue;
        const auto it = indexOf.find(word);
        if (it != indexOf.end()) {
            countOnce(tally[it->second]);
        } else if (tally.size() < kMaxTallyWords) {
            indexOf.emplace(word, tally.size());
            tally.push_back({word, 1});
        }
    }
    return tally;
}

} // namespace

std::string topWords(std::string_view text, size_t minLength, size_t maxCount)
{
    std::vector<TallyEntry> tally = tallyWords(text, minLength);
    std::stable_sort(tally.begin(), tally.end(),
                     [](const TallyEntry& a, const TallyEntry& b) { return a.count > b.count; });
    std::string result;
    for (size_t i = 0; i < tally.size() && i < maxCount; ++i) {
        if (i > 0)
            result += ' ';
        result += tally[i].word;
    }
    return result;
}

} // namespace kestrin
