#include "engine/bayes_training.h"

#include "engine/bayes_last_use.h"
#include "engine/bayes_tokens.h"
#include "storage/record_row_limit.h"
#include "text/convert_error.h"
#include "text/date_text.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace kestrin {
namespace {

// Folded name -> position of the first record of the table with that name.
std::unordered_map<std::string, size_t> tableIndex(const std::vector<BayesWordRecord>& words, BayesList list)
{
    std::unordered_map<std::string, size_t> index;
    for (size_t i = 0; i < words.size(); ++i) {
        if (inBayesList(words[i], list))
            index.emplace(bayesWordKey(words[i].name), i);
    }
    return index;
}

TDateTime lastUseOrOldest(const std::string& text)
{
    try {
        return readLastUse(text);
    } catch (const EConvertError&) {
        return -1e9;
    }
}

// The `count` records of the table that were used longest ago (strictly before
// now, not touched by this mark), oldest first; equals in array order.
std::vector<size_t> replaceableRecords(const std::vector<BayesWordRecord>& words, BayesList list, TDateTime now,
                                       const std::unordered_set<size_t>& touched, size_t count)
{
    if (count == 0)
        return {};
    std::vector<std::pair<TDateTime, size_t>> candidates;
    for (size_t i = 0; i < words.size(); ++i) {
        if (!inBayesList(words[i], list) || touched.count(i))
            continue;
        const TDateTime used = lastUseOrOldest(words[i].lastuse);
        if (used < now)
            candidates.emplace_back(used, i);
    }
    count = std::min(count, candidates.size());
    std::partial_sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(count), candidates.end());
    std::vector<size_t> positions;
    for (size_t i = 0; i < count; ++i)
        positions.push_back(candidates[i].second);
    return positions;
}

} // namespace

void bayesTrain(std::vector<BayesWordRecord>& words, BayesList list, std::string_view text, TDateTime now,
                size_t maxTableWords)
{
    const std::string lastUse = defaultDateTimeText(now);
    const auto index = tableIndex(words, list);
    std::unordered_set<size_t> touched;
    std::vector<std::string_view> fresh;
    std::vector<std::string_view> distinct = bayesDistinctWords(text);
    distinct.resize(std::min(distinct.size(), kBayesMaxMessageWords));
    for (const std::string_view word : distinct) {
        const auto known = index.find(bayesWordKey(word));
        if (known == index.end()) {
            fresh.push_back(word);
            continue;
        }
        BayesWordRecord& record = words[known->second];
        record.stat = std::min(record.stat, kBayesMaxStat - 1) + 1;
        record.lastuse = lastUse;
        touched.insert(known->second);
    }
    const size_t held = bayesWordCount(words, list);
    // Records of neither table (a damaged file) must not push the word file past its rows either.
    const size_t fileRoom = words.size() < kMaxRecordRows ? kMaxRecordRows - words.size() : 0;
    const size_t room = std::min(held < maxTableWords ? maxTableWords - held : 0, fileRoom);
    const size_t appended = std::min(room, fresh.size());
    const std::vector<size_t> replaced = replaceableRecords(words, list, now, touched, fresh.size() - appended);
    for (size_t i = 0; i < replaced.size(); ++i)
        words[replaced[i]] = {std::string(fresh[appended + i]), bayesListValue(list), 1, lastUse};
    for (size_t i = 0; i < appended; ++i)
        words.push_back({std::string(fresh[i]), bayesListValue(list), 1, lastUse});
}

} // namespace kestrin
