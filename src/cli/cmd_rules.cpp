// `kestrin-cli rules SUBCOMMAND ...`: the rule page's commands from a terminal.
#include "cli/commands.h"
#include "cli/record_commands.h"

namespace kestrin::cli {
namespace {

int deleteRules(const CliArgs& args, const std::vector<std::string>& operands)
{
    return runRecordsDelete(args, operands, RecordKind::Rules);
}

// One line per subcommand.
constexpr RecordSubcommandEntry kRulesSubcommands[] = {
    {"add", runRulesAdd},
    {"edit", runRulesEdit},
    {"delete", deleteRules},
    {"overlaps", runRulesOverlaps},
};

} // namespace

int runRules(const CliArgs& args)
{
    return runRecordSubcommand(args, "rules", kRulesSubcommands);
}

} // namespace kestrin::cli
