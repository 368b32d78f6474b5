#include "engine/bayes_tokens.h"

#include "engine/bayes_filter.h"
#include "text/ascii_case.h"

#include <unordered_set>

namespace kestrin {
namespace {

bool isCut(char c)
{
    return static_cast<unsigned char>(c) <= 0x20 || c == 0x7f;
}

bool isTrimmed(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u > 0x20 && u < 0x7f && c != '$' && !(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'z') &&
           !(c >= 'A' && c <= 'Z');
}

std::string_view trimPunctuation(std::string_view piece)
{
    while (!piece.empty() && isTrimmed(piece.front()))
        piece.remove_prefix(1);
    while (!piece.empty() && isTrimmed(piece.back()))
        piece.remove_suffix(1);
    return piece;
}

} // namespace

std::string bayesWordKey(std::string_view word)
{
    return lowerAscii(word);
}

std::string bayesWordList(std::string_view text)
{
    std::string joined;
    for (const std::string_view word : bayesDistinctWords(text)) {
        joined += word;
        joined += ' ';
    }
    return joined;
}

std::vector<std::string_view> bayesDistinctWords(std::string_view text)
{
    std::vector<std::string_view> words;
    std::unordered_set<std::string> seen;
    size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && isCut(text[pos]))
            ++pos;
        const size_t start = pos;
        while (pos < text.size() && !isCut(text[pos]))
            ++pos;
        const std::string_view word = trimPunctuation(text.substr(start, pos - start));
        if (word.size() < kBayesMinWordLength || word.size() > kBayesMaxWordLength)
            continue;
        if (seen.insert(bayesWordKey(word)).second)
            words.push_back(word);
    }
    return words;
}

} // namespace kestrin
