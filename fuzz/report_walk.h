#pragma once
// How fuzz_report walks one input, taken as the bytes of report.dat. The replay
// test walks every kept input the same way. A walk returns what went wrong, so
// the fuzz target can abort and the test can report it.
#include "mail_entry_walk.h"
#include "storage/report_entry.h"
#include "storage/report_file.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

inline std::optional<std::string> walkReportLine(const std::string& line)
{
    const ReportEntry entry = splitReportEntry(line);
    if (line.find('|') != std::string::npos && buildReportEntry(entry.kind, entry.payload) != line)
        return "kind and payload do not rebuild the line";
    const std::vector<std::string> fields = splitMailFields(entry.payload);
    if (fields.empty() || fields.size() > kMailFieldCount)
        return "field count out of range";
    if (joinMailFields(fields) != entry.payload)
        return "fields do not rebuild the payload";
    return walkMailEntryPayload(entry.payload);
}

inline std::optional<std::string> walkReportLimit(const std::vector<std::string>& lines)
{
    for (int maxRep : {INT_MIN, -1, 0, 1, 2, 10, 25, 26, INT_MAX}) {
        for (bool clearOnStart : {false, true}) {
            std::vector<std::string> report = lines;
            applyReportLimit(report, maxRep, clearOnStart);
            const size_t limit = clearOnStart ? 0 : static_cast<size_t>(std::clamp(maxRep, 1, 25)) * 10;
            if (report.size() != std::min(limit, lines.size()))
                return "limit " + std::to_string(maxRep) + " kept " + std::to_string(report.size()) + " lines";
            if (!std::equal(report.begin(), report.end(), lines.begin()))
                return "limit " + std::to_string(maxRep) + " did not keep the newest lines";
        }
    }
    return std::nullopt;
}

inline std::optional<std::string> walkReportInput(std::string_view input)
{
    const std::vector<std::string> lines = splitReportLines(input);
    if (splitReportLines(reportFileBytes(lines)) != lines)
        return "saved lines do not load back unchanged";
    for (const std::string& line : lines) {
        if (std::optional<std::string> problem = walkReportLine(line))
            return problem;
    }
    return walkReportLimit(lines);
}

} // namespace kestrin
