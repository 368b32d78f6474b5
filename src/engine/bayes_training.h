#pragma once
// Training the Bayes filter: the user's marks add words to a table or make the
// words already there count more.
#include "engine/bayes_filter.h"
#include "text/date_time.h"

#include <string_view>
#include <vector>

namespace kestrin {

// Cuts text at its first nine blanks (the tenth part keeps the rest, blanks
// included) and trains the table with each non-empty part in order:
// - the first record of the table whose name equals the part ignoring ASCII
//   case gets `stat` + 1 (at most kBayesMaxStat) and `lastuse` = now, its name
//   keeping its first spelling;
// - otherwise, in a table of kBayesMaxTableWords words or more, the record with
//   the oldest `lastuse` strictly before now (the first of equals) becomes the
//   new word, and without such a record the part is dropped;
// - otherwise a new record is appended.
// `lastuse` is written with defaultDateTimeText. An unreadable `lastuse` met
// while looking for the oldest throws EConvertError; the parts trained before
// stay trained.
void bayesTrain(std::vector<BayesWordRecord>& words, BayesList list, std::string_view text, TDateTime now);

} // namespace kestrin
