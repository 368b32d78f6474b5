#pragma once
// The words the Bayes filter learns and reads: the same cut for training and
// for the verdict, so that what a mark teaches is what a check looks up.
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Cuts text at blanks, tabs and other control bytes, trims ASCII punctuation
// from both ends of each piece ("free!" and "free" are one word; "$" stays,
// prices matter), and keeps pieces of kBayesMinWordLength..kBayesMaxWordLength
// bytes. Each word appears once, in the spelling of its first occurrence;
// words equal ignoring ASCII case are one word.
std::vector<std::string_view> bayesDistinctWords(std::string_view text);

// The distinct words joined by blanks, each followed by one: a text that
// trains exactly as the one it came from.
std::string bayesWordList(std::string_view text);

// The lookup key of a word: ASCII case folded.
std::string bayesWordKey(std::string_view word);

} // namespace kestrin
