#include "engine/bayes_filter.h"

#include <algorithm>

namespace kestrin {

bool inBayesList(const BayesWordRecord& word, BayesList list)
{
    return word.list == bayesListValue(list);
}

size_t bayesWordCount(const std::vector<BayesWordRecord>& words, BayesList list)
{
    return static_cast<size_t>(
        std::count_if(words.begin(), words.end(), [list](const BayesWordRecord& w) { return inBayesList(w, list); }));
}

} // namespace kestrin
