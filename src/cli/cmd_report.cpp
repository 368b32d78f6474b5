#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "storage/atomic_file.h"
#include "storage/report_file.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {

int runReport(const CliArgs& args)
{
    if (!args.positional().empty() && args.positional().front() == "mark")
        return runReportMark(args);
    if (!args.positional().empty())
        throw UsageError("takes no FILE, only --home DIR (or: report mark N --good|--spam)");
    std::vector<std::string> lines;
    try {
        lines = loadReportFile(reportFilePath(programFolder(args)));
    } catch (const EFileError& e) {
        std::cerr << e.what() << '\n';
        return kExitInputError;
    }
    for (const std::string& line : lines)
        std::cout << cp1250ToUtf8(line) << '\n';
    return 0;
}

} // namespace kestrin::cli
