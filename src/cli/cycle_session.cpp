#include "cli/cycle_session.h"

#include "cli/commands.h"
#include "cli/start_refusals.h"
#include "platform/desktop/mail_program.h"
#include "storage/first_settings.h"
#include "storage/report_file.h"
#include "text/cp1250.h"
#include "text/date_time.h"

#include <filesystem>

namespace kestrin::cli {
CycleSession::CycleSession(std::string programFolder, std::ostream& out, std::ostream& err)
    : programFolder_(std::move(programFolder)), err_(err), host_(data_, out, err)
{
    if (QCoreApplication::instance() == nullptr)
        qtApplication_ = std::make_unique<QCoreApplication>(qtArgc_, qtArgv_);
}

std::optional<int> CycleSession::open()
{
    if (!lock_.tryLock()) {
        printSecondCopy(lock_, err_);
        return kExitInputError;
    }
    const bool firstSettings = needsFirstSettings(programFolder_);
    const LoadResult loaded = loadAll(programFolder_, data_, localNow());
    if (loaded.failure != LoadFailure::None) {
        printLoadFailure(loaded, err_);
        return kExitInputError;
    }
    // Written by save-all, as the window writes its first settings at start.
    if (firstSettings)
        adoptDesktopMailProgram(data_.settings, desktopMailProgram());
    applyReportLimit(data_.report, data_.settings.maxRep, data_.settings.clearRepOnStart);
    channels_ = std::make_unique<QtLineChannelFactory>(data_.settings.caFile);
    return std::nullopt;
}

CycleOutcome CycleSession::runCycle(CancelToken& cancel)
{
    SweeperContext context{programFolder_, *channels_, internet_, checkedMemory_, markedMemory_, cancel, {}};
    TSweeper sweeper(takeCycleSnapshot(data_), std::move(context), host_);
    return sweeper.run();
}

int CycleSession::close()
{
    const SaveResult saved = saveAll(programFolder_, data_);
    // The window removes its temporary files at exit; so does the command line.
    std::error_code ignored;
    std::filesystem::remove(temporaryMessagePath(programFolder_), ignored);
    lock_.unlock();
    if (saved.ok)
        return 0;
    err_ << cp1250ToUtf8(saved.message);
    if (!saved.detail.empty())
        err_ << " (" << cp1250ToUtf8(saved.detail) << ")";
    err_ << '\n';
    return kExitSaveError;
}

} // namespace kestrin::cli
