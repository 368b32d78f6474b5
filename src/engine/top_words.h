#pragma once
// The Bayes filter and the report pick the most frequent longer words of a message.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrin {

// A "word" longer than a 16 kB line (a base64 blob, a page of HTML on one line)
// is no word: it would only bloat the report entry and the word filter.
inline constexpr size_t kMaxTopWordLength = 16384;

// Words are cut at blanks only (tabs, punctuation and line breaks stay inside) and
// compared case-sensitively; words shorter than minLength bytes or longer than
// kMaxTopWordLength are ignored, and
// at most 1024 distinct words are tallied, in order of first appearance. Returns
// the maxCount most frequent ones joined by single blanks; equal counts keep
// their order of first appearance.
std::string topWords(std::string_view text, size_t minLength = 4, size_t maxCount = 10);

} // namespace kestrin
