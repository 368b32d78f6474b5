#pragma once
// The subcommands of the record commands (`rules`, `accounts`, `friends`):
// each is one more table entry. A subcommand gets the command's options and
// the words after its own name, and returns the exit status.
#include "cli/cli_args.h"
#include "storage/record_tables.h"

#include <span>
#include <string>
#include <vector>

namespace kestrin::cli {

using RecordSubcommand = int (*)(const CliArgs& args, const std::vector<std::string>& operands);

struct RecordSubcommandEntry {
    const char* name;
    RecordSubcommand run;
};

// Runs the subcommand the first word names; a record ID that names no record
// ends it with a message and nothing changed.
int runRecordSubcommand(const CliArgs& args, const std::string& command,
                        std::span<const RecordSubcommandEntry> subcommands);

// `COMMAND delete ID...`: the page's deletion of its selected rows, asked once
// (--yes answers) and written once; IDs as they stand before the command.
int runRecordsDelete(const CliArgs& args, const std::vector<std::string>& operands, RecordKind kind);

// Prints a Yes/No question that --yes did not answer; the status to exit with.
int unansweredQuestion(const std::string& cp1250Text);

// The option's text in the program's code page; a usage error above limit.
std::string textOption(const CliArgs& args, const std::string& option, size_t limit);

int runRulesAdd(const CliArgs& args, const std::vector<std::string>& operands);
int runRulesEdit(const CliArgs& args, const std::vector<std::string>& operands);
int runRulesOverlaps(const CliArgs& args, const std::vector<std::string>& operands);

} // namespace kestrin::cli
