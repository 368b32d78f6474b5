// Check cycles: the start on a worker thread, the worker's handoffs on the UI
// thread, and the end-of-cycle step.
#include "ui/main/main_form.h"

#include "ui/main/cycle_engine.h"

#include "engine/cycle_changes.h"
#include "engine/cycle_snapshot.h"
#include "platform/qt_line_channel_factory.h"
#include "platform/system_internet_check.h"
#include "storage/config_messages.h"
#include "storage/report_file.h"
#include "ui/common/win1250_text.h"
#include "ui/main/cycle_worker.h"
#include "ui/main/main_texts.h"
#include "ui/main/new_mail_notice.h"
#include "ui/common/tray_icon_files.h"
#include "ui_main_form.h"

#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTimer>

namespace kestrin::ui {

// Off unless asked for (QT_LOGGING_RULES="kestrin.cycle.info=true"): lets a
// script or a support session see when the program has gone idle.
Q_LOGGING_CATEGORY(cycleLog, "kestrin.cycle", QtWarningMsg)

void Tmain::setCheckCommandsEnabled(bool enabled)
{
    ui_->pop3_checknow->setEnabled(enabled);
    tool_checknow_->setEnabled(enabled);
}

// The cycle start. The timer and the check commands stay off until the
// end-of-cycle step, so at most one cycle runs.
void Tmain::kill_timerTimer()
{
    if (worker_ || shutDown_)
        return;
    showTrayIcon(scanStartIconPath(programFolder_));
    setCheckCommandsEnabled(false);
    kill_timer_->stop();
    state_.checkRunning = true;
    state_.newMailCount = 0;
    state_.newMailSender.clear();
    state_.newMailSubject.clear();
    CycleResources resources{programFolder_,
                             takeCycleSnapshot(data_),
                             std::make_shared<QtLineChannelFactory>(data_.settings.caFile),
                             std::make_shared<SystemInternetCheck>(),
                             checkedMemory_,
                             markedMemory_,
                             std::make_shared<CancelToken>()};
    worker_ = std::make_unique<CycleWorker>(std::move(resources), gate_);
}

void Tmain::cycleStatus(const std::string& text)
{
    statusPanel0_->setText(fromWin1250(text));
}

void Tmain::cycleProgress(uint8_t percent)
{
    const QString text = QString::number(percent) + QLatin1Char('%');
    statusPanel1_->setText(text);
    setTrayHint(text);
    showTrayIcon(scanIconPath(programFolder_, scanIconNumber(percent)));
}

void Tmain::cycleResult(const CycleResult& result)
{
    applyCycleResult(result, data_, state_.newEntryCount);
    emit reportChanged();
    emit statisticsChanged();
    refreshItemCounts();
}

void Tmain::cycleEnd(const CycleEnd& end)
{
    applySharedChanges(end.changes, data_);
    state_.newMailCount = end.newMailCount;
    state_.newMailSender = end.senderText;
    state_.newMailSubject = end.subjectText;
}

void Tmain::cycleFinished(CycleOutcome outcome)
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

void Tmain::endOfCycle()
{
    state_.checkRunning = false;
    // Started now, so the next cycle comes one whole interval after this one ended.
    kill_timer_->start();
    setCheckCommandsEnabled(true);
    ruleHits_ = computeRuleHitStatistics(data_.rules);
    statusPanel1_->setText(QStringLiteral("-"));
    ui_->stat_todel->setText(QStringLiteral("0"));
    setTrayHint(statisticsHint(data_.counters.run));
    if (state_.updateAvailable) {
        pop_update_->setVisible(true);
        pop_update_n_->setVisible(true);
        tool_update_->setVisible(true);
        sep3_->setVisible(true);
        showTrayIcon(updateIconPath(programFolder_));
        if (!updateblink_timer_->isActive())
            updateblink_timer_->start();
    } else if (state_.newMailCount != 0) {
        newMailSequence(fromWin1250(state_.newMailSender), fromWin1250(state_.newMailSubject));
    } else {
        showIdleTrayIcon();
    }
    saveReport();
    qCInfo(cycleLog, "cycle ended, idle");
}

void Tmain::newMailSequence(const QString& sender, const QString& subject)
{
    showNewMailNotice(sender, subject);
    if (data_.settings.mailCheckRunMail)
        tool_mailClick();
    showTrayIcon(trayIconPath(programFolder_, data_.settings.newMailTrayIcon));
}

// The sound and the notice window belong to the notice; without one there is
// nothing to play or show.
void Tmain::showNewMailNotice(const QString& sender, const QString& subject)
{
    if (notice_ != nullptr)
        notice_->show(sender, subject);
}

// Only the report is written after a cycle; counters and settings at exit.
// A report file that could not be read at start is left alone, so what the
// program could not read is not replaced by what it did.
void Tmain::saveReport()
{
    if (data_.loadIncomplete[static_cast<size_t>(StoredFile::Report)])
        return;
    const std::string path = reportFilePath(programFolder_);
    try {
        saveReportFile(path, data_.report);
    } catch (const std::exception& e) {
        const QString text = fromWin1250(configSaveErrorText());
        statusPanel0_->setText(text);
        const QString key = QString::fromStdString(path);
        if (!reportedFileErrors_.contains(key)) {
            reportedFileErrors_.insert(key);
            showDeferredError(text + QStringLiteral("\r\n") + QString::fromUtf8(e.what()));
        }
    }
}

} // namespace kestrin::ui
