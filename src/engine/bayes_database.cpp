#include "engine/bayes_database.h"

namespace kestrin {

std::string bayesTableCountText(const std::vector<BayesWordRecord>& words, BayesList list)
{
    return std::to_string(bayesWordCount(words, list)) + " / " + std::to_string(kBayesMaxTableWords);
}

bool neutraliseBayesWord(std::vector<BayesWordRecord>& words, size_t index)
{
    if (index >= words.size())
        return false;
    words[index].stat = 0;
    words[index].lastuse = kBayesNeverUsed;
    return true;
}

void clearBayesDatabase(std::vector<BayesWordRecord>& words, StatsTotals& totals)
{
    words.clear();
    totals.bayAll = 0;
    totals.bayDel = 0;
    totals.bayList0 = 0;
    totals.bayList1 = 0;
}

} // namespace kestrin
