// The start-up and the shutdown sequences.
#include "session/program_session.h"

#include "engine/archive_cleanup.h"
#include "session/cycle_worker.h"
#include "session/hand_over_gate.h"
#include "storage/config_messages.h"
#include "storage/report_file.h"
#include "storage/temporary_files.h"

#include <QTimer>

namespace kestrin::session {

StartUpResult ProgramSession::startUp()
{
    const TDateTime now = services_.now();
    // What the settings hold when the settings file cannot be read.
    data_.settings = defaultSettings(programFolder_, now);
    const LoadResult loaded = loadAll(programFolder_, data_, now);
    ruleHits_ = computeRuleHitStatistics(data_.rules);
    emit settingsLoaded();
    StartUpResult result{StartUpOutcome::Running, loaded.message, loaded.detail, {}};
    try {
        applySettings();
    } catch (const std::exception& e) {
        // The autostart entry is the last step of an apply; the start goes on.
        result.applyError = e.what();
    }
    applyStartUpSteps();
    startedUp_ = true;
    if (loaded.failure == LoadFailure::VersionRefused) {
        // A file of a newer version was left unread: checking mail without it
        // (without the friends list, say) could delete wanted mail, so the
        // program ends, with saving already switched off.
        result.outcome = StartUpOutcome::VersionRefused;
        return result;
    }
    if (loaded.failure == LoadFailure::OpenError) {
        // The same danger, and the run's work would be lost unsaid: the program
        // stays, checks no mail and tells which files it will not write.
        holdCycles();
        result.outcome = StartUpOutcome::CyclesHeld;
        result.message += "\r\n" + heldBackText(unreadStoredFiles(data_));
        return result;
    }
    kill_timer_->stop();
    if (services_.firstCycleAtStart)
        kill_timerTimer();
    else
        kill_timer_->start();
    return result;
}

// Report limit, archive clean-up, the silent address-book import; the pages
// restore their views last.
void ProgramSession::applyStartUpSteps()
{
    applyReportLimit(data_.report, data_.settings.maxRep, data_.settings.clearRepOnStart);
    emit reportChanged();
    if (data_.settings.clearArchOnStart)
        deleteArchiveTextFiles(programFolder_);
    if (data_.settings.wabSynch)
        emit addressBookImportRequested();
    for (const RecordKind kind : {RecordKind::Accounts, RecordKind::Rules, RecordKind::Friends, RecordKind::BayesWords})
        emit recordsChanged(kind);
    emit countersChanged();
    emit startUpApplied();
}

void ProgramSession::holdCycles()
{
    state_.cyclesHeld = true;
    kill_timer_->stop();
    emit cycleStatusChanged(cyclesHeldStatusText());
}

SaveResult ProgramSession::shutDown()
{
    if (shutDown_)
        return {};
    shutDown_ = true;
    kill_timer_->stop();
    // The worker is cancelled, not waited for on the network: its sockets are
    // aborted at once and no step of it reaches the session any more. It holds
    // nothing the saving needs (it reads its own snapshot).
    gate_->close();
    if (worker_) {
        worker_->stop(kWorkerStopWait);
        worker_.reset();
    }
    state_.cycleRunning = false;
    const SaveResult saved = saveAll(programFolder_, data_);
    deleteTemporaryFiles(programFolder_);
    if (instanceLock_)
        instanceLock_->unlock();
    return saved;
}

} // namespace kestrin::session
