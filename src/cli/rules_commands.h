#pragma once
// The subcommands of `kestrin-cli rules`. Each gets the command's options and
// the words after its own name, and returns the exit status.
#include "cli/cli_args.h"

#include <string>
#include <vector>

namespace kestrin::cli {

using RulesSubcommand = int (*)(const CliArgs& args, const std::vector<std::string>& operands);

int runRulesAdd(const CliArgs& args, const std::vector<std::string>& operands);
int runRulesEdit(const CliArgs& args, const std::vector<std::string>& operands);
int runRulesDelete(const CliArgs& args, const std::vector<std::string>& operands);
int runRulesOverlaps(const CliArgs& args, const std::vector<std::string>& operands);

// Prints a Yes/No question that --yes did not answer; the status to exit with.
int unansweredQuestion(const std::string& cp1250Text);

} // namespace kestrin::cli
