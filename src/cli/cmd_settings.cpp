// Prints the effective settings of a program folder: every key the program
// knows, defaults filled in, as INI text in UTF-8.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "storage/atomic_file.h"
#include "storage/ini_file.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_time.h"
#include "text/line_split.h"

#include <iostream>

namespace kestrin::cli {
namespace {

// Terminal text: LF line ends rather than the file's CR LF.
void printWithLineFeeds(const std::string& crlfText)
{
    for (const std::string_view line : splitIntoLines(crlfText))
        std::cout << line << '\n';
}

} // namespace

int runSettings(const CliArgs& args)
{
    if (!args.positional().empty())
        throw UsageError("takes no positional arguments");
    const std::string home = programFolder(args);
    Settings settings;
    try {
        settings = loadSettingsFile(home, localNow());
    } catch (const EFileError& e) {
        std::cerr << e.what() << '\n';
        return kExitInputError;
    }
    // Only the known keys: a fresh document holds exactly what the program writes.
    IniFile effective;
    storeSettings(settings, effective);
    printWithLineFeeds(cp1250ToUtf8(effective.serialize()));
    return 0;
}

} // namespace kestrin::cli
