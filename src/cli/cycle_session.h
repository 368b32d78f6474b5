#pragma once
// What `check` and `watch` share: hold the user's single-instance lock against
// a second Kestrin (the window, or another check, on any program folder), run the load-all sequence and the start-up
// report limit, run check cycles with identity memories that last as long as the process (as they last as long as the
// tray program), then run the save-all sequence.
#include "cli/console_host.h"
#include "engine/cancel_token.h"
#include "engine/identity_memory.h"
#include "engine/sweeper.h"
#include "platform/qt_line_channel_factory.h"
#include "platform/single_instance.h"
#include "platform/system_internet_check.h"
#include "storage/program_data.h"

#include <QCoreApplication>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace kestrin::cli {

// Exit status when the cycles ran but save-all could not write every file.
constexpr int kExitSaveError = 1;

class CycleSession {
public:
    CycleSession(std::string programFolder, std::ostream& out, std::ostream& err);

    // Takes the single-instance lock, loads and applies the report limit.
    // An exit status (kExitInputError) when the command must end here, having
    // written nothing.
    std::optional<int> open();
    CycleOutcome runCycle(CancelToken& cancel);
    // Save-all and removal of the temporary message file; the lock is released
    // afterwards. 0, or kExitSaveError with the program's message on err.
    int close();

    const ProgramData& data() const { return data_; }

private:
    // Qt's sockets expect an application object; without one Qt warns on stderr.
    int qtArgc_ = 1;
    char qtName_[12] = "kestrin-cli";
    char* qtArgv_[2] = {qtName_, nullptr};
    std::unique_ptr<QCoreApplication> qtApplication_;
    std::string programFolder_;
    std::ostream& err_;
    SingleInstanceLock lock_;
    ProgramData data_;
    ConsoleHost host_;
    IdentityMemory checkedMemory_{kCheckedMemoryCapacity};
    IdentityMemory markedMemory_{IdentityMemory::kDefaultCapacity};
    std::unique_ptr<QtLineChannelFactory> channels_;
    SystemInternetCheck internet_;
};

} // namespace kestrin::cli
