#include "engine/result_counting.h"

#include "storage/report_entry.h"

namespace kestrin {
namespace {

bool hasFlag(std::string_view flags, char letter)
{
    return flags.find(letter) != std::string_view::npos;
}

} // namespace

void countResultFlags(std::string_view flags, Counters& counters)
{
    if (hasFlag(flags, 'c')) {
        incrementCounter(counters.run.checked);
        incrementCounter(counters.totals.checkMsg);
    }
    if (hasFlag(flags, 'd')) {
        incrementCounter(counters.run.deleted);
        incrementCounter(counters.totals.delMsg);
    }
    if (hasFlag(flags, 'e')) {
        incrementCounter(counters.run.errors);
        incrementCounter(counters.totals.err);
    }
    if (hasFlag(flags, 'b'))
        incrementCounter(counters.totals.bayDel);
}

std::optional<std::string> resultEntryKind(std::string_view flags, std::string_view reportText)
{
    if (reportText.empty())
        return std::nullopt;
    if (hasFlag(flags, 'e'))
        return std::string(kReportKindError);
    if (hasFlag(flags, 'c') || hasFlag(flags, 'd'))
        return std::string(kReportKindMail);
    return std::nullopt;
}

void applyResult(std::string_view flags, std::string_view reportText, Counters& counters,
                 std::vector<std::string>& report)
{
    countResultFlags(flags, counters);
    if (const std::optional<std::string> kind = resultEntryKind(flags, reportText))
        report.insert(report.begin(), buildReportEntry(*kind, reportText));
}

} // namespace kestrin
