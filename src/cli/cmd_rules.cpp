// kestrin-cli rules SUBCOMMAND: the rule list's operations, one handler each.
#include "cli/cli_args.h"
#include "cli/commands.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrin::cli {
namespace {

struct RulesSubcommand {
    std::string name;
    std::function<int(const CliArgs&)> run;
};

const std::vector<RulesSubcommand>& rulesSubcommands()
{
    static const std::vector<RulesSubcommand> table = {
        {"overlaps", runRulesOverlaps},
    };
    return table;
}

} // namespace

int runRules(const CliArgs& args)
{
    if (args.positional().empty())
        throw UsageError("needs a subcommand");
    for (const RulesSubcommand& sub : rulesSubcommands())
        if (sub.name == args.positional().front())
            return sub.run(args);
    throw UsageError("unknown subcommand " + args.positional().front());
}

} // namespace kestrin::cli
