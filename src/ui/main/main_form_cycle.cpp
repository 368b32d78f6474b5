// What the window shows of a check cycle: the status bar, the tray icon and
// hint, the check commands, and the end-of-cycle notices.
#include "ui/main/main_form.h"

#include "ui/common/tray_icon_files.h"
#include "ui/common/win1250_text.h"
#include "ui/main/main_texts.h"
#include "ui/main/new_mail_notice.h"
#include "ui_main_form.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace kestrin::ui {

void Tmain::setCheckCommandsEnabled(bool enabled)
{
    tool_checknow_->setEnabled(enabled);
}

void Tmain::cycleStarted()
{
    showTrayIcon(scanStartIconPath(programFolder()));
    setCheckCommandsEnabled(false);
}

void Tmain::cycleStatusChanged(const std::string& text)
{
    statusPanel0_->setText(fromWin1250(text));
}

void Tmain::cycleProgressChanged(int percent)
{
    const QString text = QString::number(percent) + QLatin1Char('%');
    statusPanel1_->setText(text);
    setTrayHint(text);
    showTrayIcon(scanIconPath(programFolder(), scanIconNumber(static_cast<uint8_t>(percent))));
}

void Tmain::cycleEnded()
{
    const session::SessionState& state = session_.state();
    setCheckCommandsEnabled(true);
    statusPanel1_->setText(QStringLiteral("-"));
    setTrayHint(statisticsHint(session_.data().counters.run));
    if (state.updateAvailable) {
        pop_update_->setVisible(true);
        pop_update_n_->setVisible(true);
        tool_update_->setVisible(true);
        sep3_->setVisible(true);
        showTrayIcon(updateIconPath(programFolder()));
        if (!updateblink_timer_->isActive())
            updateblink_timer_->start();
    } else if (state.newMailCount != 0) {
        newMailSequence(fromWin1250(state.newMailSender), fromWin1250(state.newMailSubject));
    } else {
        showIdleTrayIcon();
    }
}

void Tmain::newMailSequence(const QString& sender, const QString& subject)
{
    showNewMailNotice(sender, subject);
    if (session_.data().settings.mailCheckRunMail)
        tool_mailClick();
    showTrayIcon(trayIconPath(programFolder(), session_.data().settings.newMailTrayIcon));
}

// The sound and the notice window belong to the notice; without one there is
// nothing to play or show.
void Tmain::showNewMailNotice(const QString& sender, const QString& subject)
{
    if (notice_ != nullptr)
        notice_->show(sender, subject);
}

// The status bar says it at once; the box, once per run, after the current step.
void Tmain::reportSaveFailure(const std::string& text, const std::string& detail)
{
    const QString shown = fromWin1250(text);
    statusPanel0_->setText(shown);
    if (reportedFileErrors_.contains(shown))
        return;
    reportedFileErrors_.insert(shown);
    showDeferredError(shown + QStringLiteral("\r\n") + QString::fromUtf8(detail));
}

} // namespace kestrin::ui
