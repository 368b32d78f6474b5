#pragma once
// Word tables for the Bayes filter tests.
#include "engine/bayes_filter.h"

#include <string>
#include <vector>

namespace kestrin::test {

inline BayesWordRecord bayesWord(std::string name, BayesList list, uint32_t stat,
                                 std::string lastuse = "2024-01-01 00:00:00")
{
    return {std::move(name), bayesListValue(list), stat, std::move(lastuse)};
}

// count words "<prefix>N" with stat 1 that no test text contains.
inline void addFillerWords(std::vector<BayesWordRecord>& words, BayesList list, size_t count,
                           const std::string& prefix = "filler")
{
    for (size_t i = 0; i < count; ++i)
        words.push_back(bayesWord(prefix + std::to_string(i), list, 1));
}

inline std::string repeatedToken(const std::string& token, size_t times)
{
    std::string text;
    for (size_t i = 0; i < times; ++i)
        text += token + " ";
    return text;
}

} // namespace kestrin::test
