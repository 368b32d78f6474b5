#include "engine/bayes_tokens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace kestrin;

namespace {

std::vector<std::string> words(std::string_view text)
{
    const auto found = bayesDistinctWords(text);
    return {found.begin(), found.end()};
}

} // namespace

TEST(BayesTokens, DistinctWordsOfAText)
{
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"Tani kredyt dla Ciebie", {"Tani", "kredyt", "Ciebie"}},                     // «dla» is too short
        {"kredyt Kredyt KREDYT oferta kredyt", {"kredyt", "oferta"}},                 // first spelling, once
        {"free! (free) \"free\" free...", {"free"}},                                  // edge punctuation goes
        {"e-mail www.example.com a.b.c.d", {"e-mail", "www.example.com", "a.b.c.d"}}, // inner stays
        {"$100 $$$$ 2024", {"$100", "$$$$", "2024"}},                                 // prices and numbers stay
        {"line\tnext\r\nthird\x7f"
         "four",
         {"line", "next", "third", "four"}},                                               // tabs, CR LF, DEL cut
        {"!!!! ... ----", {}},                                                             // punctuation only
        {"\xA3\xF3\x64\xBF (\xB3\xF3\x64\xBF)", {"\xA3\xF3\x64\xBF", "\xB3\xF3\x64\xBF"}}, // non-ASCII: not folded
        {"abcd abcdefghijabcdefghijabcdefghijabcdefghijk", {"abcd"}},                      // 41 bytes: no word
        {"abcdefghijabcdefghijabcdefghijabcdefghij", {"abcdefghijabcdefghijabcdefghijabcdefghij"}}, // 40 is
    };
    for (const Case& c : cases)
        EXPECT_EQ(words(c.text), c.expected) << c.text;
}

TEST(BayesTokens, WordListTrainsLikeItsText)
{
    EXPECT_EQ(bayesWordList("Oferta oferta, dla Ciebie! "), "Oferta Ciebie ");
    EXPECT_EQ(words(bayesWordList("Oferta oferta, dla Ciebie! ")), words("Oferta oferta, dla Ciebie! "));
    EXPECT_EQ(bayesWordList(""), "");
    EXPECT_EQ(bayesWordKey("KreDyt"), "kredyt");
}
