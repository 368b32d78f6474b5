#include "engine/statistics_texts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestrin {
namespace {

struct Share {
    std::string part; // the part's count with " (p%)"
    std::string rest; // the rest's count with " (100 - p%)"
    int partBar = 0;
    int restBar = 0;
};

// part of whole as the page shows it: the percentage in single precision,
// the rest as its complement. The product is taken in 64 bits so a total past
// 42,949,672 does not wrap into a wrong share, and a part larger than its
// whole (a hand-edited file) is held at 100 %.
Share share(uint32_t part, uint32_t rest, uint32_t whole, char separator)
{
    Share s{std::to_string(part), std::to_string(rest)};
    if (whole == 0) {
        s.part += " (0,00%)";
        s.rest += " (0,00%)";
        return s;
    }
    const uint64_t product = std::min<uint64_t>(uint64_t{part} * 100, uint64_t{whole} * 100);
    const float percent = static_cast<float>(product) / static_cast<float>(whole);
    const float complement = 100.0f - percent;
    s.part += " (" + percentText(percent, separator) + "%)";
    s.rest += " (" + percentText(complement, separator) + "%)";
    s.partBar = percentBar(percent);
    s.restBar = percentBar(complement);
    return s;
}

// Accepted = checked - deleted; never below zero.
uint32_t accepted(uint32_t checked, uint32_t deleted)
{
    return checked > deleted ? checked - deleted : 0;
}

void addMessageGroup(StatisticsTexts& texts, const std::string& n, uint32_t checked, uint32_t deleted, uint32_t errors,
                     char separator)
{
    const Share deletedShare = share(deleted, accepted(checked, deleted), checked, separator);
    texts.labels.insert(texts.labels.end(), {{"stat_check" + n, std::to_string(checked)},
                                             {"stat_accept" + n, deletedShare.rest},
                                             {"stat_del" + n, deletedShare.part},
                                             {"stat_err" + n, std::to_string(errors)}});
    texts.bars.insert(texts.bars.end(),
                      {{"stat_acceptpb" + n, deletedShare.restBar}, {"stat_delpb" + n, deletedShare.partBar}});
}

} // namespace

std::string percentText(float percent, char decimalSeparator)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(percent));
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

int percentBar(float percent)
{
    // nearbyint rounds a half to the even neighbour in the default mode.
    return std::clamp(static_cast<int>(std::nearbyint(percent)), 0, 100);
}

StatisticsTexts statisticsTexts(const Counters& counters, char decimalSeparator)
{
    StatisticsTexts texts;
    addMessageGroup(texts, "0", counters.run.checked, counters.run.deleted, counters.run.errors, decimalSeparator);
    const StatsTotals& t = counters.totals;
    addMessageGroup(texts, "1", t.checkMsg, t.delMsg, t.err, decimalSeparator);
    // The spam share is the complement of the good one, as the page has
    // always shown it; the spam count itself is the stored one.
    const Share good = share(t.bayList0, t.bayList1, t.bayAll, decimalSeparator);
    texts.labels.insert(texts.labels.end(), {{"bay_statall", std::to_string(t.bayAll)},
                                             {"bay_stat0", good.part},
                                             {"bay_stat1", good.rest},
                                             {"bay_statdel", std::to_string(t.bayDel)}});
    texts.bars.insert(texts.bars.end(), {{"bay_stat0pb", good.partBar}, {"bay_stat1pb", good.restBar}});
    return texts;
}

} // namespace kestrin
