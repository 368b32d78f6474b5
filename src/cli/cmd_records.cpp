// Runs the load-all sequence of a program folder and prints the four record
// arrays as loaded; writes nothing.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/records_json.h"
#include "cli/start_refusals.h"
#include "storage/program_data.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {

int runRecords(const CliArgs& args)
{
    if (!args.positional().empty())
        throw UsageError("takes no FILE, only --home DIR");
    ProgramData data;
    const LoadResult loaded = loadAll(programFolder(args), data, localNow());
    if (loaded.failure != LoadFailure::None) {
        printLoadFailure(loaded, std::cerr);
        return kExitInputError;
    }
    const nlohmann::ordered_json json{{"accounts", accountsJson(data.accounts, args.has("--show-passwords"))},
                                      {"rules", rulesJson(data.rules)},
                                      {"friends", friendsJson(data.friends)},
                                      {"bayes", bayesWordsJson(data.bayesWords)}};
    std::cout << json.dump(2) << '\n';
    return 0;
}

} // namespace kestrin::cli
