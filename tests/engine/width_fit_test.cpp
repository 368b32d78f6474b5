#include "engine/width_fit.h"

#include <gtest/gtest.h>

using namespace kestrin;

namespace {

// A proportional font of sorts: "W" is wide, "i" narrow, the rest in between.
int measure(std::string_view text)
{
    int width = 0;
    for (const char c : text)
        width += c == 'W' ? 9 : c == 'i' ? 2 : 5;
    return width;
}

// Cutting one character at a time, as the behaviour is defined.
std::string naiveFit(std::string_view text, std::string_view suffix, int maxWidth)
{
    if (measure(text) <= maxWidth)
        return std::string(text);
    std::string rest(text);
    do
        rest.pop_back();
    while (!rest.empty() && measure(rest) + measure(suffix) > maxWidth);
    return rest + std::string(suffix);
}

} // namespace

TEST(WidthFit, KeepsFittingTextAndCutsTheRest)
{
    EXPECT_EQ(fitWidth("abc", "...", 15, measure), "abc");
    EXPECT_EQ(fitWidth("abcdef", "...", 25, measure), "ab...");
    EXPECT_EQ(fitWidth("abcdef", "...", 5, measure), "...");
    EXPECT_EQ(fitWidth("", "...", -1, measure), "...");
    EXPECT_EQ(fitWidth("abcdef", "", 12, measure), "ab");
}

TEST(WidthFit, SameAsCuttingOneCharacterAtATime)
{
    const std::string texts[] = {"WiWiWWiiabc", "iiiiiiiiii", "WWWWW", "a", "Wia Wia Wia Wia"};
    for (const std::string& text : texts) {
        for (int width = -2; width < 90; ++width) {
            ASSERT_EQ(fitWidth(text, "...", width, measure), naiveFit(text, "...", width)) << text << " " << width;
            ASSERT_EQ(fitWidth(text, "W", width, measure), naiveFit(text, "W", width)) << text << " " << width;
        }
    }
}
