#include "storage/report_file.h"

#include "storage/atomic_file.h"
#include "storage/report_entry.h"

#include <algorithm>
#include <filesystem>
#include <optional>

namespace kestrin {
namespace {

// The file's lines, or nothing when there is no file.
std::optional<std::vector<std::string>> readReportLines(const std::string& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return std::nullopt;
    return splitReportLines(readWholeFile(path, kMaxReportFileBytes));
}

} // namespace

std::string reportFilePath(const std::string& programFolder)
{
    return programFolder + "/config/report.dat";
}

std::vector<std::string> splitReportLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t newline = bytes.find('\n', start);
        if (newline == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        size_t end = newline;
        if (end > start && bytes[end - 1] == '\r')
            --end;
        lines.emplace_back(bytes.substr(start, end - start));
        start = newline + 1;
    }
    return lines;
}

std::string reportFileBytes(const std::vector<std::string>& lines)
{
    size_t total = 0;
    for (const std::string& line : lines)
        total += line.size() + 2;
    std::string bytes;
    bytes.reserve(total);
    for (const std::string& line : lines) {
        const size_t from = bytes.size();
        bytes += line;
        std::replace(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), '\n', ' ');
        bytes += "\r\n";
    }
    return bytes;
}

std::vector<std::string> loadReportFile(const std::string& path)
{
    std::optional<std::vector<std::string>> lines = readReportLines(path);
    return lines ? std::move(*lines) : std::vector<std::string>();
}

void saveReportFile(const std::string& path, const std::vector<std::string>& lines)
{
    writeFileAtomically(path, reportFileBytes(lines));
}

void loadReport(std::vector<std::string>& report, const std::string& path, TDateTime now)
{
    std::optional<std::vector<std::string>> lines = readReportLines(path);
    if (lines)
        report = std::move(*lines);
    report.insert(report.begin(), runEntry(now));
}

void applyReportLimit(std::vector<std::string>& report, int maxRep, bool clearOnStart)
{
    if (clearOnStart) {
        report.clear();
        return;
    }
    const size_t keep = static_cast<size_t>(std::clamp(maxRep, kMinMaxRep, kMaxMaxRep)) * 10;
    if (report.size() > keep)
        report.resize(keep);
}

} // namespace kestrin
