// One check cycle (or several back to back, sharing the identity memories as
// the tray program's cycles do) between the load-all and save-all sequences.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/cycle_session.h"
#include "cli/program_folder.h"
#include "cli/stop_signals.h"

#include <iostream>

namespace kestrin::cli {

int runCheck(const CliArgs& args)
{
    if (!args.positional().empty())
        throw UsageError("takes no FILE, only --home DIR and --cycles N");
    const long long cycles = args.number("--cycles", 1);
    if (cycles < 1 || cycles > 1000000)
        throw UsageError("--cycles takes a number from 1 to 1000000");

    CancelToken cancel;
    const StopSignals stopSignals(cancel);
    CycleSession session(programFolder(args), std::cout, std::cerr);
    if (const auto refused = session.open())
        return *refused;
    for (long long cycle = 0; cycle < cycles; ++cycle) {
        if (session.runCycle(cancel) == CycleOutcome::Cancelled)
            break;
    }
    return session.close();
}

} // namespace kestrin::cli
