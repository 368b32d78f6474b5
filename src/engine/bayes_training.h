#pragma once
// Training the Bayes filter: a mark tells a table that one more message held
// each of its words.
#include "engine/bayes_filter.h"
#include "text/date_time.h"

#include <string_view>
#include <vector>

namespace kestrin {

// One marked message: every distinct word of the text (bayesDistinctWords)
// counts once, however often the message repeats it.
// - The first record of the table whose name equals the word ignoring ASCII
//   case gets `stat` + 1 and `lastuse` = now; its name keeps its first spelling.
// - A new word is appended while the table holds fewer than maxTableWords
//   words; in a full table it takes the place of the record with the oldest
//   `lastuse` strictly before now (the first in array order of equals), so the
//   words not seen for the longest time go first. Without such a record the
//   word is dropped.
// Only the first kBayesMaxMessageWords distinct words of a message count.
// A `lastuse` that does not read back as a date-time counts as the oldest: a
// damaged record is replaced first instead of blocking every later mark.
void bayesTrain(std::vector<BayesWordRecord>& words, BayesList list, std::string_view text, TDateTime now,
                size_t maxTableWords = kBayesMaxTableWords);

} // namespace kestrin
