#include "storage/mail_report_entry.h"

#include "storage/report_entry.h"

#include <vector>

namespace kestrin {

std::optional<MailReportEntry> parseMailReportEntry(std::string_view payload)
{
    std::vector<std::string> f = splitMailFields(payload);
    if (f.size() != kMailFieldCount)
        return std::nullopt;
    return MailReportEntry{std::move(f[0]),
                           std::move(f[1]),
                           std::move(f[2]),
                           std::move(f[3]),
                           std::move(f[4]),
                           std::move(f[5]),
                           std::move(f[6]),
                           std::move(f[7]),
                           std::move(f[8]),
                           std::move(f[9]),
                           ReportMark<DeleteMark>::fromText(f[10]),
                           ReportMark<BayesMark>::fromText(f[11])};
}

std::string formatMailReportEntry(const MailReportEntry& entry)
{
    return joinMailFields({entry.messageId, entry.date, entry.actions, entry.cause, entry.account, entry.senderName,
                           entry.senderAddress, entry.subject, entry.size, entry.topWords, entry.deleteMark.text(),
                           entry.bayesMark.text()});
}

} // namespace kestrin
