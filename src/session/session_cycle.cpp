// Check cycles: the start on a worker thread, the worker's handoffs on this
// object's thread, and the end-of-cycle step.
#include "session/program_session.h"

#include "engine/cycle_changes.h"
#include "engine/cycle_snapshot.h"
#include "session/cycle_worker.h"
#include "session/hand_over_gate.h"
#include "storage/config_messages.h"
#include "storage/report_file.h"

#include <QLoggingCategory>
#include <QTimer>

namespace kestrin::session {

// Off unless asked for (QT_LOGGING_RULES="kestrin.cycle.info=true"): lets a
// script or a support session see when the program has gone idle.
Q_LOGGING_CATEGORY(cycleLog, "kestrin.cycle", QtWarningMsg)

// Runs the cycle start only while the timer runs, that is while no cycle
// runs: a request during a cycle is dropped, not queued.
void ProgramSession::checkNow()
{
    if (kill_timer_->isActive())
        kill_timerTimer();
}

// The timer and the check commands stay off until the end-of-cycle step, so
// at most one cycle runs.
void ProgramSession::kill_timerTimer()
{
    if (worker_ || shutDown_ || state_.cyclesHeld)
        return;
    kill_timer_->stop();
    state_.cycleRunning = true;
    state_.newMailCount = 0;
    state_.newMailSender.clear();
    state_.newMailSubject.clear();
    emit cycleStarted();
    CycleResources resources{programFolder_,
                             takeCycleSnapshot(data_),
                             services_.channels(data_.settings.caFile),
                             services_.internet(),
                             checkedMemory_,
                             markedMemory_,
                             std::make_shared<CancelToken>()};
    worker_ = std::make_unique<CycleWorker>(std::move(resources), gate_);
}

void ProgramSession::cycleStatus(const std::string& text)
{
    emit cycleStatusChanged(text);
}

void ProgramSession::cycleProgress(uint8_t percent)
{
    emit cycleProgressChanged(percent);
}

void ProgramSession::cycleResult(const CycleResult& result)
{
    applyCycleResult(result, data_, state_.newEntryCount);
    if (!result.reportText.empty() && !result.bayesWords.empty())
        bayesMessages_.remember(result.reportText, result.bayesWords);
    emit reportChanged();
    emit countersChanged();
    if (!result.changes.empty())
        emit recordsChanged(RecordKind::Rules);
}

void ProgramSession::cycleEnd(const CycleEnd& end)
{
    applySharedChanges(end.changes, data_);
    state_.newMailCount = end.newMailCount;
    state_.newMailSender = end.senderText;
    state_.newMailSubject = end.subjectText;
}

void ProgramSession::cycleFinished(CycleOutcome outcome)
{
    if (worker_) {
        worker_->join();
        worker_.reset();
    }
    // A cancelled cycle belongs to the shutdown, which has taken over.
    if (shutDown_ || outcome == CycleOutcome::Cancelled)
        return;
    endOfCycle();
}

void ProgramSession::endOfCycle()
{
    state_.cycleRunning = false;
    // Started now, so the next cycle comes one whole interval after this one ended.
    kill_timer_->start();
    ruleHits_ = computeRuleHitStatistics(data_.rules);
    saveReport();
    emit cycleEnded();
    qCInfo(cycleLog, "cycle ended, idle");
}

// Only the report is written after a cycle; counters and settings at exit.
// A report file that could not be read at start is left alone, so what the
// program could not read is not replaced by what it did.
void ProgramSession::saveReport()
{
    if (data_.loadIncomplete[static_cast<size_t>(StoredFile::Report)])
        return;
    try {
        saveReportFile(reportFilePath(programFolder_), data_.report);
    } catch (const std::exception& e) {
        emit saveFailed(configSaveErrorText(), e.what());
    }
}

} // namespace kestrin::session
