#pragma once
// The result step of the check cycle: what one processed message or failure
// adds to the counters and to the report. The window and the command line both
// run it on the thread that owns the counters and the report.
#include "engine/result_flags.h"
#include "storage/counters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Checked raises this run's checked count and CheckMsg, Deleted this run's
// deleted count and DelMsg, Error this run's error count and Err, Bayes BayDel.
void countResultFlags(ResultFlags flags, Counters& counters);

// The kind of the report entry: none for an empty report text, "error" when
// the flags hold Error, "mail" when they hold Checked or Deleted, none otherwise.
std::optional<std::string> resultEntryKind(ResultFlags flags, std::string_view reportText);

// Counts the flags, then inserts kind + "|" + reportText as the first report
// line when there is a kind.
void applyResult(ResultFlags flags, std::string_view reportText, Counters& counters, std::vector<std::string>& report);

} // namespace kestrin
