// The toolbar, the tray menu and the commands behind them.
#include "ui/main/main_form.h"

#include "ui/common/win1250_text.h"
#include "ui/main/glyph_list.h"
#include "ui/main/main_texts.h"
#include "ui/pages/report_page.h"
#include "ui_main_form.h"

#include <QAction>
#include <QFont>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>

namespace kestrin::ui {
namespace {

constexpr int kMailGlyph = 3;
constexpr int kCheckGlyph = 10;
constexpr int kArchiveGlyph = 8;
constexpr int kUpdateGlyph = 19;

QAction* separator(QObject* parent, const char* name)
{
    auto* action = new QAction(parent);
    action->setSeparator(true);
    if (name != nullptr)
        action->setObjectName(QLatin1String(name));
    return action;
}

} // namespace

// handler: what the command runs; none for a command whose window comes later.
QAction* Tmain::addToolButton(const char* name, const QString& caption, int glyph, void (Tmain::*handler)())
{
    auto* action = new QAction(glyphIcon(glyph), caption, this);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(caption);
    toolbar_->addAction(action);
    if (handler != nullptr)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

QAction* Tmain::addMenuItem(const char* name, const QString& caption, int glyph, void (Tmain::*handler)())
{
    auto* action = new QAction(caption, pop_menu_);
    action->setObjectName(QLatin1String(name));
    if (glyph >= 0)
        action->setIcon(glyphIcon(glyph));
    pop_menu_->addAction(action);
    if (handler != nullptr)
        connect(action, &QAction::triggered, this, handler);
    return action;
}

// A command whose window is not part of the program yet: shown, but greyed
// with a hint that says so, rather than doing something else.
void Tmain::markNotYetAvailable(QAction* action)
{
    action->setEnabled(false);
    action->setToolTip(action->text() + QStringLiteral(" (jeszcze niedostępne)"));
}

void Tmain::buildToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("toolbar"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->setIconSize(QSize(kGlyphSide, kGlyphSide));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    toolbar_->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    setContextMenuPolicy(Qt::NoContextMenu);

    tool_checknow_ = addToolButton("tool_checknow", QStringLiteral("Sprawdź teraz konta pocztowe"), kCheckGlyph,
                                   &Tmain::tool_checknowClick);
    markNotYetAvailable(addToolButton("tool_trash", QStringLiteral("Archiwum wiadomości"), kArchiveGlyph, nullptr));
    toolbar_->addAction(separator(this, "sep1"));
    markNotYetAvailable(addToolButton("tool_addred", QStringLiteral("Dodaj nową regułę wiadomości"), 14, nullptr));
    markNotYetAvailable(addToolButton("tool_addacc", QStringLiteral("Dodaj nowe konto pocztowe"), 12, nullptr));
    markNotYetAvailable(addToolButton("tool_addfri", QStringLiteral("Dodaj nowego przyjaciela"), 13, nullptr));
    toolbar_->addAction(separator(this, "sep2"));
    tool_sett_ = addToolButton("tool_sett", QStringLiteral("Ustawienia"), 4, &Tmain::tool_settClick);
    tool_sett_->setEnabled(false); // until the settings window is there (setSettingsCommand)
    tool_mail_ =
        addToolButton("tool_mail", QStringLiteral("Uruchom program pocztowy"), kMailGlyph, &Tmain::tool_mailClick);
    toolbar_->addAction(separator(this, "sep4"));
    markNotYetAvailable(addToolButton("tool_appinfo", QStringLiteral("Kestrin - informacje o programie"), 5, nullptr));
    sep3_ = separator(this, "sep3");
    sep3_->setVisible(false);
    toolbar_->addAction(sep3_);
    tool_update_ = addToolButton("tool_update", QStringLiteral("Pobierz najnowszą wersję programu!"), kUpdateGlyph,
                                 &Tmain::tool_updateClick);
    tool_update_->setVisible(false);
}

void Tmain::buildTrayMenu()
{
    pop_menu_ = new QMenu(this);
    pop_menu_->setObjectName(QStringLiteral("pop_menu"));
    pop_update_ = addMenuItem("pop_update", QStringLiteral("Pobierz najnowszą wersję programu!"), kUpdateGlyph,
                              &Tmain::pop_updateClick);
    pop_update_->setVisible(false);
    pop_update_n_ = separator(pop_menu_, "pop_update_n");
    pop_update_n_->setVisible(false);
    pop_menu_->addAction(pop_update_n_);
    pop_trayaction_ = addMenuItem("pop_trayaction", QString(), -1, &Tmain::pop_trayactionClick);
    pop_trayaction_->setVisible(false);
    pop_trayaction_n_ = separator(pop_menu_, "pop_trayaction_n");
    pop_trayaction_n_->setVisible(false);
    pop_menu_->addAction(pop_trayaction_n_);
    addMenuItem("pop_show", QStringLiteral("Pokaż okno programu"), -1, &Tmain::pop_showClick);
    addMenuItem("pop_hide", QStringLiteral("Ukryj okno programu"), -1, &Tmain::pop_hideClick);
    pop_menu_->addAction(separator(pop_menu_, nullptr));
    addMenuItem("pop_mail", QStringLiteral("Uruchom program pocztowy"), kMailGlyph, &Tmain::pop_mailClick);
    pop_checknow_ =
        addMenuItem("pop_checknow", QStringLiteral("Sprawdź konta pocztowe"), kCheckGlyph, &Tmain::pop_checknowClick);
    markNotYetAvailable(
        addMenuItem("pop_trash", QStringLiteral("Pokaż zarchiwizowane wiadomości"), kArchiveGlyph, nullptr));
    pop_menu_->addAction(separator(pop_menu_, nullptr));
    addMenuItem("pop_zakoncz", QStringLiteral("Zakończ"), -1, &Tmain::pop_zakonczClick);
    pop_menu_->setToolTipsVisible(true);
}

void Tmain::setTrayAction(TrayAction action)
{
    pop_trayaction_->setText(trayActionCaption(action));
    pop_trayaction_->setIcon(glyphIcon(trayActionGlyph(action)));
    trayAction_ = action;
    pop_trayaction_->setVisible(true);
    pop_trayaction_n_->setVisible(true);
    QFont bold = pop_trayaction_->font();
    bold.setBold(true);
    pop_trayaction_->setFont(bold);
    pop_menu_->setDefaultAction(pop_trayaction_);
}

void Tmain::tool_checknowClick()
{
    session_.checkNow();
}

void Tmain::pop_checknowClick()
{
    if (reportPage_->checkNowEnabled())
        session_.checkNow();
}

// The settings window re-enables this window when it closes.
void Tmain::tool_settClick()
{
    if (!showSettings_)
        return;
    setMainWindowEnabled(false);
    showSettings_();
}

void Tmain::tool_mailClick()
{
    const QString program = fromWin1250(session_.data().settings.mail);
    if (program.isEmpty())
        return;
    if (!services_.shell.open(program))
        showDeferredError(QStringLiteral("Nie można uruchomić programu pocztowego:\r\n") + program);
}

void Tmain::pop_mailClick()
{
    tool_mailClick();
}

void Tmain::tool_updateClick()
{
    pop_updateClick();
}

void Tmain::pop_updateClick()
{
    const session::SessionState& state = session_.state();
    if (!state.updateAvailable)
        return;
    const QString updater = QString::fromStdString(programFolder()) + QStringLiteral("/Update.exe");
    if (!services_.shell.open(updater, updaterArguments(QString::fromStdString(state.updateVersion),
                                                        QString::fromStdString(state.updateHistory),
                                                        QString::fromStdString(state.updateSetup))))
        showDeferredError(QStringLiteral("Nie można uruchomić programu aktualizującego:\r\n") + updater);
}

void Tmain::pop_trayactionClick()
{
    switch (trayAction_) {
    case TrayAction::ShowWindow:
        pop_showClick();
        break;
    case TrayAction::RunMail:
        pop_mailClick();
        break;
    case TrayAction::CheckNow:
        pop_checknowClick();
        break;
    case TrayAction::ShowArchive: // the archive window is not part of the program yet
    case TrayAction::None:
        break;
    }
}

void Tmain::updateblink_timerTimer()
{
    updateGlyphShown_ = !updateGlyphShown_;
    tool_update_->setIcon(updateGlyphShown_ ? glyphIcon(kUpdateGlyph) : QIcon());
}

} // namespace kestrin::ui
