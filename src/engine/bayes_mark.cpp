#include "engine/bayes_mark.h"

#include "engine/bayes_training.h"
#include "engine/top_words.h"
#include "storage/report_entry.h"

#include <stdexcept>

namespace kestrin {
namespace {

constexpr std::string_view kUnmarked = "0";

void countMark(StatsTotals& totals, BayesList list)
{
    incrementCounter(totals.bayAll);
    incrementCounter(list == BayesList::Good ? totals.bayList0 : totals.bayList1);
}

} // namespace

BayesMarkResult markBayesEntry(std::string& line, BayesList list, std::vector<BayesWordRecord>& words,
                               StatsTotals& totals, TDateTime now)
{
    const ReportEntry entry = splitReportEntry(line);
    if (entry.kind != kReportKindMail)
        return BayesMarkResult::NotMailEntry;
    const std::vector<std::string> fields = splitMailFields(entry.payload);
    if (mailField(fields, kMailBayesMark) != kUnmarked)
        return BayesMarkResult::AlreadyMarked;

    bayesTrain(words, list, mailField(fields, kMailTopWords), now);
    bayesTrain(words, list, topWords(mailField(fields, kMailSubject), kBayesMinWordLength, kBayesMaxTrainedParts), now);
    const std::string mark = std::to_string(bayesListValue(list) + 1);
    if (!rewriteMailField(line, kMailBayesMark, mark))
        throw std::logic_error("the Bayes mark field of a mail entry could not be rewritten");
    countMark(totals, list);
    return BayesMarkResult::Marked;
}

} // namespace kestrin
