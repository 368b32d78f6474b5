#include "engine/bayes_mark.h"

#include "engine/bayes_training.h"
#include "storage/mail_report_entry.h"
#include "storage/report_entry.h"

namespace kestrin {
namespace {

void countMark(StatsTotals& totals, BayesList list)
{
    incrementCounter(totals.bayAll);
    incrementCounter(list == BayesList::Good ? totals.bayList0 : totals.bayList1);
}

BayesMark markOf(BayesList list)
{
    return list == BayesList::Good ? BayesMark::Good : BayesMark::Spam;
}

} // namespace

BayesMarkResult markBayesEntry(std::string& line, BayesList list, std::vector<BayesWordRecord>& words,
                               StatsTotals& totals, TDateTime now, std::string_view messageText)
{
    const ReportEntry entry = splitReportEntry(line);
    if (entry.kind != kReportKindMail)
        return BayesMarkResult::NotMailEntry;
    // A damaged entry has no Bayes mark to set: it counts as marked.
    std::optional<MailReportEntry> mail = parseMailReportEntry(entry.payload);
    if (!mail || !mail->bayesMark.is(BayesMark::Unmarked))
        return BayesMarkResult::AlreadyMarked;

    if (messageText.empty())
        bayesTrain(words, list, mail->topWords + " " + mail->subject, now);
    else
        bayesTrain(words, list, messageText, now);
    mail->bayesMark = markOf(list);
    line = buildReportEntry(entry.kind, formatMailReportEntry(*mail));
    countMark(totals, list);
    return BayesMarkResult::Marked;
}

} // namespace kestrin
