#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"

#include <exception>
#include <iostream>

namespace {

void printUsage(std::ostream& out)
{
    out << "usage: kestrin-cli COMMAND ...\n";
    for (const auto& command : kestrin::cli::commandTable())
        out << "  kestrin-cli " << command.usage << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    using namespace kestrin::cli;
    if (argc < 2) {
        printUsage(std::cerr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    const std::vector<std::string> words(argv + 2, argv + argc);
    for (const auto& command : commandTable()) {
        if (command.name != name)
            continue;
        try {
            return command.run(words);
        } catch (const UsageError& e) {
            std::cerr << "kestrin-cli " << name << ": " << e.what() << '\n';
            printUsage(std::cerr);
            return kExitUsage;
        } catch (const HomeFolderError& e) {
            std::cerr << "kestrin-cli " << name << ": " << e.what() << '\n';
            return kExitInputError;
        }
    }
    if (name == "--help" || name == "help") {
        printUsage(std::cout);
        return 0;
    }
    std::cerr << "kestrin-cli: unknown command " << name << '\n';
    printUsage(std::cerr);
    return kExitUsage;
}
