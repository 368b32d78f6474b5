#include "cli/program_folder.h"

#include "platform/program_folder.h"
#include "storage/stale_temporary_files.h"

namespace kestrin::cli {

std::optional<std::string> homeOption(const CliArgs& args)
{
    if (!args.has("--home"))
        return std::nullopt;
    const std::string home = args.value("--home");
    switch (homeFolderProblem(home)) {
    case HomeProblem::Empty:
        throw HomeFolderError("--home needs the name of a folder, not an empty text");
    case HomeProblem::NotAFolder:
        throw HomeFolderError("--home " + home + " is not a folder");
    case HomeProblem::None:
        break;
    }
    return home;
}

std::string programFolder(const CliArgs& args)
{
    const std::string folder = chooseProgramFolder(homeOption(args));
    removeStaleTemporaryFiles(folder);
    return folder;
}

} // namespace kestrin::cli
