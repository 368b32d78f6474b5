#pragma once
// The text form of one report entry: a kind, "|", and a payload. A "mail"
// payload holds twelve fields joined by "|¦|" (the broken bar is byte 0xA6 in
// Windows-1250). Entries come from files written by older versions and by
// hand, so every accessor copes with missing fields and separators.
#include "text/date_time.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

inline constexpr std::string_view kReportKindRun = "run";
inline constexpr std::string_view kReportKindMail = "mail";
inline constexpr std::string_view kReportKindError = "error";

// Vertical bar, broken bar (Windows-1250 byte 0xA6), vertical bar.
inline constexpr std::string_view kMailFieldSeparator = "|\xA6|";
inline constexpr size_t kMailFieldCount = 12;

struct ReportEntry {
    std::string kind;
    std::string payload;
};

// Splits once at the first "|". A line without "|" has an empty kind (it is no
// known entry and is shown as an empty row) and the whole line as payload.
ReportEntry splitReportEntry(std::string_view line);

// kind + "|" + payload.
std::string buildReportEntry(std::string_view kind, std::string_view payload);

// The fields of a "mail" payload: at most 11 cuts, so the last field keeps the
// rest. A damaged payload gives fewer than twelve fields. MailReportEntry
// names the fields of a whole one.
std::vector<std::string> splitMailFields(std::string_view payload);

// The fields with the separator between neighbours, nothing before or after.
std::string joinMailFields(const std::vector<std::string>& fields);

// The size field: whole kilobytes (bytes / 1024, toward zero) + " kb". An unknown
// size (-1, or any negative) gives "0 kb".
std::string mailSizeText(int64_t bytes);

// "run|Uruchomienie aplikacji: " + the date text of now.
std::string runEntry(TDateTime now);

} // namespace kestrin
