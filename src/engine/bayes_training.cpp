#include "engine/bayes_training.h"

#include "engine/bayes_last_use.h"
#include "text/ascii_case.h"
#include "text/date_text.h"
#include "text/text_split.h"

#include <optional>

namespace kestrin {
namespace {

BayesWordRecord* findWord(std::vector<BayesWordRecord>& words, BayesList list, std::string_view name)
{
    for (BayesWordRecord& word : words) {
        if (inBayesList(word, list) && equalsIgnoreCase(word.name, name))
            return &word;
    }
    return nullptr;
}

// The table's record least recently trained before now; the first of equals.
BayesWordRecord* oldestWord(std::vector<BayesWordRecord>& words, BayesList list, TDateTime now)
{
    BayesWordRecord* oldest = nullptr;
    std::optional<TDateTime> oldestTime;
    for (BayesWordRecord& word : words) {
        if (!inBayesList(word, list))
            continue;
        const TDateTime used = readLastUse(word.lastuse);
        if (used < now && (!oldestTime || used < *oldestTime)) {
            oldest = &word;
            oldestTime = used;
        }
    }
    return oldest;
}

void trainPart(std::vector<BayesWordRecord>& words, BayesList list, const std::string& part, TDateTime now)
{
    const std::string lastUse = defaultDateTimeText(now);
    if (BayesWordRecord* known = findWord(words, list, part)) {
        if (known->stat < kBayesMaxStat)
            ++known->stat;
        known->lastuse = lastUse;
        return;
    }
    const BayesWordRecord fresh{part, bayesListValue(list), 1, lastUse};
    if (bayesWordCount(words, list) < kBayesMaxTableWords) {
        words.push_back(fresh);
        return;
    }
    if (BayesWordRecord* oldest = oldestWord(words, list, now))
        *oldest = fresh;
}

} // namespace

void bayesTrain(std::vector<BayesWordRecord>& words, BayesList list, std::string_view text, TDateTime now)
{
    for (const std::string& part : splitText(" ", text, kBayesMaxTrainedParts - 1)) {
        if (!part.empty())
            trainPart(words, list, part, now);
    }
}

} // namespace kestrin
