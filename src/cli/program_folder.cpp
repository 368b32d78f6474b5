#include "cli/program_folder.h"

#include "platform/program_folder.h"

namespace kestrin::cli {

std::string programFolder(const CliArgs& args)
{
    if (args.has("--home"))
        return chooseProgramFolder(args.value("--home"));
    return chooseProgramFolder(std::nullopt);
}

} // namespace kestrin::cli
