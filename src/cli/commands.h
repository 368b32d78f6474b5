#pragma once
// The command table of kestrin-cli. Each command gets its own words (after the
// command name) and returns the process exit status.
#include <functional>
#include <string>
#include <vector>

namespace kestrin::cli {

// Exit status for input the command could not use (unparseable file, refused configuration).
constexpr int kExitInputError = 2;
// Exit status for a command line the program does not understand.
constexpr int kExitUsage = 64;

struct Command {
    std::string name;
    std::string usage;
    std::function<int(const std::vector<std::string>&)> run;
};

const std::vector<Command>& commandTable();

int runParse(const std::vector<std::string>& words);
int runEvalRule(const std::vector<std::string>& words);
int runSettings(const std::vector<std::string>& words);
int runReport(const std::vector<std::string>& words);
int runRecords(const std::vector<std::string>& words);
int runDb(const std::vector<std::string>& words);
int runCheck(const std::vector<std::string>& words);
int runWatch(const std::vector<std::string>& words);
int runClassify(const std::vector<std::string>& words);

} // namespace kestrin::cli
