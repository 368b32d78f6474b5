#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"

#include <exception>
#include <iostream>

namespace {

using namespace kestrin::cli;

void printUsage(std::ostream& out)
{
    out << "usage: kestrin-cli COMMAND ...\n";
    for (const auto& command : commandTable())
        out << "  kestrin-cli " << command.usage << '\n';
}

const Command* findCommand(const std::string& name)
{
    for (const auto& command : commandTable()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

int runCommand(const Command& command, const std::vector<std::string>& words)
{
    try {
        return command.run(CliArgs(words, command.valueOptions, command.flagOptions));
    } catch (const UsageError& e) {
        std::cerr << "kestrin-cli " << command.name << ": " << e.what() << '\n';
        printUsage(std::cerr);
        return kExitUsage;
    } catch (const HomeFolderError& e) {
        std::cerr << "kestrin-cli " << command.name << ": " << e.what() << '\n';
        return kExitInputError;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    const auto found = findCommandWord(words, valueOptionsOfAllCommands());
    if (!found) {
        const bool help = words.size() == 1 && words[0] == "--help";
        printUsage(help ? std::cout : std::cerr);
        return help ? 0 : kExitUsage;
    }
    if (const Command* command = findCommand(found->command))
        return runCommand(*command, found->rest);
    if (found->command == "help") {
        printUsage(std::cout);
        return 0;
    }
    std::cerr << "kestrin-cli: unknown command " << found->command << '\n';
    printUsage(std::cerr);
    return kExitUsage;
}
