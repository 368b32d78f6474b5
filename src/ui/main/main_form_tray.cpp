// The notification-area icon: its picture and hint, its menu and default
// item, and the window's showing, hiding and minimising around it.
#include "ui/main/main_form.h"

#include "ui/common/tray_icon_files.h"
#include "ui/main/new_mail_notice.h"

#include <QAction>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <cstdlib>

namespace kestrin::ui {

void Tmain::buildTray()
{
    tray_ = new QSystemTrayIcon(this);
    tray_->setObjectName(QStringLiteral("tray"));
    tray_->setToolTip(QStringLiteral("Kestrin sweeper"));
    tray_->setContextMenu(pop_menu_);
    connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason != QSystemTrayIcon::DoubleClick)
            return;
        QAction* item = pop_menu_->defaultAction();
        if (item != nullptr && item->isVisible() && item->isEnabled())
            item->trigger();
    });
}

bool Tmain::trayAvailableNow() const
{
    return services_.trayAvailable();
}

// A missing or broken icon file is an installation fault: the user hears of
// it once per file, after the current step, and the program goes on.
void Tmain::showTrayIcon(const QString& icoPath)
{
    try {
        setTrayIconFile(icoPath);
    } catch (const std::exception& e) {
        if (reportedFileErrors_.contains(icoPath))
            return;
        reportedFileErrors_.insert(icoPath);
        showDeferredError(QString::fromUtf8(e.what()));
    }
}

void Tmain::showIdleTrayIcon()
{
    showTrayIcon(trayIconPath(programFolder(), session_.data().settings.normalTrayIcon));
}

void Tmain::setTrayHint(const QString& text)
{
    tray_->setToolTip(trayHint(text));
}

// A box must not open inside a check cycle's step (the worker waits for the
// step) nor in the middle of a command; it opens from the event loop instead.
void Tmain::showDeferredError(const QString& text)
{
    QTimer::singleShot(0, this, [this, text] {
        if (!shutDown_)
            services_.prompter.show(PromptIcon::Error, programCaption(), text);
    });
}

// Before the first showing, so the window manager maps it where it belongs.
void Tmain::centreBeforeFirstShowing()
{
    if (centred_)
        return;
    centred_ = true;
    const QScreen* display = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (display != nullptr)
        move(display->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

void Tmain::pop_showClick()
{
    centreBeforeFirstShowing();
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

void Tmain::pop_hideClick()
{
    if (isVisible() && !isMinimized())
        applicationMinimised();
    if (trayMode_)
        hide();
    else
        showMinimized();
}

// Every minimise of the program: the notice closes, the bold rows stay but
// the next report entry starts the count again, and the new-mail icon ends.
void Tmain::applicationMinimised()
{
    if (notice_ != nullptr)
        notice_->closeIfOpen();
    session_.windowMinimised();
    if (session_.checkTimerActive())
        showIdleTrayIcon();
}

void Tmain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || !isMinimized())
        return;
    applicationMinimised();
    // Minimise to tray; without a notification area the window stays in the task bar.
    if (trayMode_)
        QTimer::singleShot(0, this, [this] {
            if (isMinimized())
                hide();
        });
}

// The notification area can come and go (a panel restarts, a status-notifier
// host starts late). When it comes back the icon is added again; when it goes
// while the window is hidden, the window is shown so the program stays reachable.
void Tmain::trayhost_timerTimer()
{
    const bool available = trayAvailableNow();
    if (available && !trayWasAvailable_) {
        trayMode_ = true;
        tray_->hide();
        tray_->show();
    } else if (!available && trayWasAvailable_) {
        trayMode_ = false;
        if (!isVisible() && !shutDown_)
            pop_showClick();
    }
    trayWasAvailable_ = available;
}

} // namespace kestrin::ui
