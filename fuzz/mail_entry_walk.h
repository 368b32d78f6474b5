#pragma once
// How fuzz_mail_entry walks one input, taken as a "mail" payload; fuzz_report
// walks every payload of its lines the same way. A walk returns what went wrong.
#include "storage/mail_report_entry.h"
#include "storage/report_entry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Sets both marks and checks that only those two fields changed.
inline std::optional<std::string> walkMailMarks(MailReportEntry entry, const std::vector<std::string>& before)
{
    entry.deleteMark = DeleteMark::Marked;
    entry.bayesMark = BayesMark::Spam;
    std::vector<std::string> expected = before;
    expected[kMailFieldCount - 2] = "1";
    expected[kMailFieldCount - 1] = "2";
    if (splitMailFields(formatMailReportEntry(entry)) != expected)
        return "setting the marks changed another field";
    return std::nullopt;
}

inline std::optional<std::string> walkMailEntryPayload(std::string_view payload)
{
    const std::vector<std::string> fields = splitMailFields(payload);
    const std::optional<MailReportEntry> entry = parseMailReportEntry(payload);
    if (entry.has_value() != (fields.size() == kMailFieldCount))
        return "a payload of " + std::to_string(fields.size()) + " fields was " + (entry ? "read" : "refused");
    if (!entry)
        return std::nullopt;
    if (formatMailReportEntry(*entry) != payload)
        return "the entry does not write back its payload";
    return walkMailMarks(*entry, fields);
}

} // namespace kestrin
