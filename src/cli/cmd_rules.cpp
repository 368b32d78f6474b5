// `kestrin-cli rules SUBCOMMAND ...`: the rule page's commands from a terminal.
#include "cli/commands.h"
#include "cli/rules_commands.h"
#include "cli/rules_folder.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {
namespace {

struct RulesEntry {
    const char* name;
    RulesSubcommand run;
};

// One line per subcommand.
constexpr RulesEntry kRulesSubcommands[] = {
    {"add", runRulesAdd},
    {"edit", runRulesEdit},
    {"delete", runRulesDelete},
    {"overlaps", runRulesOverlaps},
};

} // namespace

int unansweredQuestion(const std::string& cp1250Text)
{
    std::string text = cp1250ToUtf8(cp1250Text);
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    std::cerr << text << "\nkestrin-cli rules: answer Yes with --yes; nothing was changed.\n";
    return kExitQuestion;
}

int runRules(const CliArgs& args)
{
    if (args.positional().empty())
        throw UsageError("expects a subcommand");
    const std::string& name = args.positional().front();
    const std::vector<std::string> operands(args.positional().begin() + 1, args.positional().end());
    for (const RulesEntry& entry : kRulesSubcommands) {
        if (name != entry.name)
            continue;
        try {
            return entry.run(args, operands);
        } catch (const RuleIdError& e) {
            std::cerr << "kestrin-cli rules " << name << ": " << e.what() << "; nothing was changed.\n";
            return kExitInputError;
        }
    }
    throw UsageError("unknown subcommand " + name);
}

} // namespace kestrin::cli
