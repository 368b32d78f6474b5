#pragma once
// The result step of the check cycle: what one processed message or failure
// adds to the counters and to the report. The window and the command line both
// run it on the thread that owns the counters and the report.
#include "storage/counters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// By the letters the flags contain: "c" one more checked message (this run
// and CheckMsg), "d" one more deleted (this run and DelMsg), "e" one more
// error (this run and Err), "b" one more Bayes deletion (BayDel). A letter
// counts once however often it occurs.
void countResultFlags(std::string_view flags, Counters& counters);

// The kind of the report entry: none for an empty report text, "error" when
// the flags contain "e", "mail" when they contain "c" or "d", none otherwise.
std::optional<std::string> resultEntryKind(std::string_view flags, std::string_view reportText);

// Counts the flags, then inserts kind + "|" + reportText as the first report
// line when there is a kind.
void applyResult(std::string_view flags, std::string_view reportText, Counters& counters,
                 std::vector<std::string>& report);

} // namespace kestrin
