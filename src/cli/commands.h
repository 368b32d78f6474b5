#pragma once
// The command table of kestrin-cli. Each command names the options it takes,
// gets the command line without its own name, parsed against them, and returns
// the process exit status.
#include "cli/cli_args.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace kestrin::cli {

// Exit status for a change the program refused; its text is on stderr.
constexpr int kExitRefused = 1;
// Exit status for a change stopped by a Yes/No question that --yes did not answer.
constexpr int kExitQuestion = 3;
// Exit status for input the command could not use (unparseable file, refused configuration).
constexpr int kExitInputError = 2;
// Exit status for a command line the program does not understand.
constexpr int kExitUsage = 64;

struct Command {
    std::string name;
    std::string usage;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    std::function<int(const CliArgs&)> run;
};

const std::vector<Command>& commandTable();

// Every option that takes a value in some command: what tells an option's
// value from the command word when options come first.
std::set<std::string> valueOptionsOfAllCommands();

int runParse(const CliArgs& args);
int runEvalRule(const CliArgs& args);
int runSettings(const CliArgs& args);
int runReport(const CliArgs& args);
int runReportMark(const CliArgs& args);
int runStats(const CliArgs& args);
int runRecords(const CliArgs& args);
int runDb(const CliArgs& args);
int runCheck(const CliArgs& args);
int runWatch(const CliArgs& args);
int runClassify(const CliArgs& args);
int runRules(const CliArgs& args);
int runAccounts(const CliArgs& args);
int runFriends(const CliArgs& args);

} // namespace kestrin::cli
