#include "engine/result_counting.h"

#include "storage/report_entry.h"

namespace kestrin {
void countResultFlags(ResultFlags flags, Counters& counters)
{
    if (flags.has(ResultFlag::Checked)) {
        incrementCounter(counters.run.checked);
        incrementCounter(counters.totals.checkMsg);
    }
    if (flags.has(ResultFlag::Deleted)) {
        incrementCounter(counters.run.deleted);
        incrementCounter(counters.totals.delMsg);
    }
    if (flags.has(ResultFlag::Error)) {
        incrementCounter(counters.run.errors);
        incrementCounter(counters.totals.err);
    }
    if (flags.has(ResultFlag::Bayes))
        incrementCounter(counters.totals.bayDel);
}

std::optional<std::string> resultEntryKind(ResultFlags flags, std::string_view reportText)
{
    if (reportText.empty())
        return std::nullopt;
    if (flags.has(ResultFlag::Error))
        return std::string(kReportKindError);
    if (flags.has(ResultFlag::Checked) || flags.has(ResultFlag::Deleted))
        return std::string(kReportKindMail);
    return std::nullopt;
}

void applyResult(ResultFlags flags, std::string_view reportText, Counters& counters, std::vector<std::string>& report)
{
    countResultFlags(flags, counters);
    if (const std::optional<std::string> kind = resultEntryKind(flags, reportText))
        report.insert(report.begin(), buildReportEntry(*kind, reportText));
}

} // namespace kestrin
