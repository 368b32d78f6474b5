// `kestrin-cli stats`: the statistics page as one JSON object keyed by its
// control names, each label's exact text and each bar's value. This run's
// counters are those of a program that has not checked yet: zero.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "engine/statistics_texts.h"
#include "platform/locale_numbers.h"
#include "storage/settings.h"
#include "text/date_time.h"

#include <nlohmann/json.hpp>

#include <iostream>

namespace kestrin::cli {

int runStats(const CliArgs& args)
{
    if (!args.positional().empty())
        throw UsageError("takes no FILE, only --home DIR");
    Counters counters;
    try {
        counters.totals = loadSettingsFile(programFolder(args), localNow()).stats;
    } catch (const std::exception& e) {
        std::cerr << "kestrin-cli: " << e.what() << '\n';
        return kExitInputError;
    }
    const StatisticsTexts texts = statisticsTexts(counters, localeDecimalSeparator());
    nlohmann::ordered_json page = nlohmann::ordered_json::object();
    for (const auto& [name, text] : texts.labels)
        page[name] = text;
    for (const auto& [name, value] : texts.bars)
        page[name] = value;
    std::cout << page.dump(2) << '\n';
    return 0;
}

} // namespace kestrin::cli
