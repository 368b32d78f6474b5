// The tray program without the window: cycles on the configured interval,
// counted from the end of the previous cycle, until SIGINT or SIGTERM; then
// the save-all sequence. Meant for servers and systemd user services.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/cycle_session.h"
#include "cli/program_folder.h"
#include "cli/stop_signals.h"
#include "storage/settings_lists.h"

#include <iostream>

namespace kestrin::cli {

int runWatch(const CliArgs& args)
{
    if (!args.positional().empty())
        throw UsageError("takes no FILE, only --home DIR");

    CancelToken cancel;
    const StopSignals stopSignals(cancel);
    CycleSession session(programFolder(args), std::cout, std::cerr);
    if (const auto refused = session.open())
        return *refused;
    const Settings& settings = session.data().settings;
    const int64_t intervalMs = checkIntervalMs(settings.min, settings.sek);
    // The first cycle starts at once, as the tray program's does.
    while (session.runCycle(cancel) == CycleOutcome::Completed && cancel.sleepFor(intervalMs)) {
    }
    return session.close();
}

} // namespace kestrin::cli
