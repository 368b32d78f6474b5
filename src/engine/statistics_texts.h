#pragma once
// The statistics page's labels and bars worked out from the counters, so the
// window and `kestrin-cli stats` show the same texts.
#include "storage/counters.h"

#include <string>
#include <utility>
#include <vector>

namespace kestrin {

struct StatisticsTexts {
    // Control name and its text (ASCII digits and the separator only).
    std::vector<std::pair<std::string, std::string>> labels;
    // Progress bar name and its value, 0 to 100.
    std::vector<std::pair<std::string, int>> bars;
};

// decimalSeparator: the user's locale's (',' under Polish settings).
StatisticsTexts statisticsTexts(const Counters& counters, char decimalSeparator);

// A share written "12,50" with two decimals, and its bar rounded half to even.
std::string percentText(float percent, char decimalSeparator);
int percentBar(float percent);

} // namespace kestrin
