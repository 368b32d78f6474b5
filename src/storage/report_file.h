#pragma once
// The report log file config/report.dat: one entry per line, newest first,
// each line ended by CR LF, Windows-1250 bytes kept as they are. Also the
// start-up steps that fill the report list from it and cut it to size.
#include "text/date_time.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Range of the "MaxRep" setting (tens of entries kept at start-up); the
// settings window's slider holds no other value.
inline constexpr int kMinMaxRep = 1;
inline constexpr int kMaxMaxRep = 25;

// programFolder + "/config/report.dat".
std::string reportFilePath(const std::string& programFolder);

// The lines of a report file's bytes, split at CR LF or LF; the empty rest
// after the final line end is no entry. A lone CR stays in its line.
std::vector<std::string> splitReportLines(std::string_view bytes);

// Each line followed by CR LF. An LF inside a line would split the entry in two
// when the file is read again, so it is written as a blank.
std::string reportFileBytes(const std::vector<std::string>& lines);

// The report grows by a few hundred bytes an entry until the next start cuts it
// to at most 250 entries; the bound allows some 200 000 entries, months of a
// busy mailbox without a restart.
inline constexpr size_t kMaxReportFileBytes = size_t{64} << 20;

// The lines of the file; empty when the file does not exist. Throws EFileError
// when it exists but cannot be read, or is larger than kMaxReportFileBytes.
std::vector<std::string> loadReportFile(const std::string& path);

// Replaces the file with the lines, in the order given (newest first), through
// an atomic replace. Throws EFileError; the previous file then stays whole.
void saveReportFile(const std::string& path, const std::vector<std::string>& lines);

// The load step of the start-up sequence: when the file exists, its lines
// replace the report; then the "run" entry for now goes on top. On EFileError
// the report is left as it was.
void loadReport(std::vector<std::string>& report, const std::string& path, TDateTime now);

// The size limit applied once at start-up: clearOnStart empties the report,
// "run" entry included; otherwise the oldest entries (at the end) are removed
// until at most maxRep x 10 remain. maxRep is first brought into
// kMinMaxRep..kMaxMaxRep, as the settings slider would, so a hand-edited
// value of 0, a negative or a huge number keeps 10 or 250 entries.
void applyReportLimit(std::vector<std::string>& report, int maxRep, bool clearOnStart);

} // namespace kestrin
