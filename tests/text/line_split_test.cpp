#include "text/line_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kestrin {
namespace {

TEST(LineSplit, LfOrCrLfEndsALineAndTheLastLineNeedsNoEnd)
{
    using Lines = std::vector<std::string_view>;
    const std::pair<std::string, Lines> cases[] = {
        {"", {}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\r\r\n", {"a\r"}},   // only the CR right before LF belongs to the line end
        {"a\rb\r\n", {"a\rb"}}, // a lone CR is text
        {"a\r", {"a\r"}},       // also at the very end
        {"\n\n", {"", ""}},
        {std::string("\0x\n", 3), {std::string_view("\0x", 2)}},
    };
    for (const auto& [text, lines] : cases)
        EXPECT_EQ(splitIntoLines(text), lines) << testing::PrintToString(text);
}

} // namespace
} // namespace kestrin
