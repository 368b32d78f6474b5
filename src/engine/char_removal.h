#pragma once
// Body correction for rules: spammers pad words with punctuation ("v!a#g*r(a"),
// so a rule may look at the text with a list of characters taken out.
#include <string>
#include <string_view>

namespace kestrin {

// Every byte of text that appears anywhere in chars is removed.
std::string removeChars(std::string_view text, std::string_view chars);

} // namespace kestrin
