// The end of the program: only through pop_zakoncz, the end of the desktop
// session or a termination signal, never through the close box.
#include "ui/main/main_form.h"

#include "ui/common/win1250_text.h"

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
    updateblink_timer_->stop();
    trayhost_timer_->stop();
    const SaveResult saved = session_.shutDown();
    if (!saved.ok) {
        qWarning("Saving failed: %s", saved.detail.c_str());
        services_.prompter.show(PromptIcon::Error, programCaption(), fromWin1250(saved.message));
    }
    tray_->hide();
    hide();
    services_.quit();
}

} // namespace kestrin::ui
