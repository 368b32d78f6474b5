// The end of the program: only through pop_zakoncz, the end of the desktop
// session or a termination signal, never through the close box.
#include "ui/main/main_form.h"

#include "ui/main/cycle_engine.h"

#include "platform/termination_signals.h"
#include "storage/program_data.h"
#include "ui/common/win1250_text.h"
#include "ui/main/cycle_worker.h"
#include "ui/main/hand_over_gate.h"
#include "ui/main/temporary_files.h"

#include <QCloseEvent>
#include <QSystemTrayIcon>
#include <QTimer>

namespace kestrin::ui {

void Tmain::closeEvent(QCloseEvent* event)
{
    if (closeAllowed_)
        event->accept();
    else
        event->ignore();
}

void Tmain::pop_zakonczClick()
{
    closeAllowed_ = true;
    FormCloseQuery();
}

void Tmain::sessionEnding()
{
    pop_zakonczClick();
}

void Tmain::FormCloseQuery()
{
    if (shutDown_)
        return;
    shutDown_ = true;
    kill_timer_->stop();
    updateblink_timer_->stop();
    trayhost_timer_->stop();
    // The worker is cancelled, not waited for on the network: its sockets are
    // aborted at once and no step of it reaches the window any more. It cannot
    // hold anything the saving needs (it reads its own snapshot).
    gate_->close();
    if (worker_) {
        worker_->stop(kWorkerStopWait);
        worker_.reset();
    }
    state_.checkRunning = false;
    const SaveResult saved = saveAll(programFolder_, data_);
    if (!saved.ok) {
        qWarning("Saving failed: %s", saved.detail.c_str());
        services_.prompter.show(PromptIcon::Error, programCaption(), fromWin1250(saved.message));
    }
    deleteTemporaryFiles(programFolder_);
    tray_->hide();
    hide();
    if (instanceLock_)
        instanceLock_->unlock();
    services_.quit();
}

} // namespace kestrin::ui
