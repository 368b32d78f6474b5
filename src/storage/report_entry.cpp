#include "storage/report_entry.h"

#include "text/date_text.h"
#include "text/text_split.h"

namespace kestrin {

ReportEntry splitReportEntry(std::string_view line)
{
    const size_t bar = line.find('|');
    if (bar == std::string_view::npos)
        return {std::string(), std::string(line)};
    return {std::string(line.substr(0, bar)), std::string(line.substr(bar + 1))};
}

std::string buildReportEntry(std::string_view kind, std::string_view payload)
{
    std::string line;
    line.reserve(kind.size() + 1 + payload.size());
    line.append(kind).append(1, '|').append(payload);
    return line;
}

std::vector<std::string> splitMailFields(std::string_view payload)
{
    return splitText(kMailFieldSeparator, payload, kMailFieldCount - 1);
}

std::string joinMailFields(const std::vector<std::string>& fields)
{
    return joinText(kMailFieldSeparator, fields);
}

std::string mailSizeText(int64_t bytes)
{
    const int64_t kilobytes = bytes < 0 ? 0 : bytes / 1024;
    return std::to_string(kilobytes) + " kb";
}

std::string runEntry(TDateTime now)
{
    return buildReportEntry(kReportKindRun, "Uruchomienie aplikacji: " + dateText(now));
}

} // namespace kestrin
