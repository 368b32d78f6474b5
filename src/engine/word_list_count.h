#pragma once
// The word conditions of the rules ("zawiera jakiekolwiek ze słów" and its kin)
// count how many blank-separated words of the rule value occur in the field text.
#include <cstdint>
#include <string_view>

namespace kestrin {

// Every word found: all words of the value occur in the field text.
inline constexpr uint16_t kAllWordsFound = 1024;

// The value is cut at every single blank (a doubled, leading or trailing blank
// gives an empty word, which counts and is never found). Each word is looked for
// as a substring of fieldText, byte for byte; callers fold both texts first.
// Returns kAllWordsFound when every word was found, otherwise the number found
// (at most 65535). An empty value gives 0.
uint16_t wordListCount(std::string_view fieldText, std::string_view value);

} // namespace kestrin
