#pragma once
// The report list's Bayes marks: the user tells the filter that a checked
// message was good or spam, which trains the table with the message's words
// and records the mark in the report entry.
#include "engine/bayes_filter.h"
#include "storage/counters.h"
#include "text/date_time.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// The refusal when the entry carries a mark already (UTF-8); the window shows
// it in its warning box, kestrin-cli on stderr.
inline constexpr std::string_view kBayesMarkRefusal =
    "Nie można oznaczyć wybranej wiadomości gdyż została już ona oznaczona!";

enum class BayesMarkResult {
    Marked,
    AlreadyMarked, // the Bayes mark is not "0": show the warning, nothing changed
    NotMailEntry,  // not a "mail" entry: the command does nothing
};

// Trains the table with the message as one marked message, sets the Bayes mark
// to good ("1") or spam ("2"), and raises BayAll and BayList0 or BayList1 (the
// message counts the verdict divides by). Every other byte of the line stays.
// messageText is the message's verdict text (bayesMessageText) when it is still
// known; otherwise the entry's top words and its subject stand for the message.
BayesMarkResult markBayesEntry(std::string& line, BayesList list, std::vector<BayesWordRecord>& words,
                               StatsTotals& totals, TDateTime now, std::string_view messageText = {});

} // namespace kestrin
