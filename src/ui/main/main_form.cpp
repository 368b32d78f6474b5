#include "ui/main/main_form.h"

#include "platform/termination_signals.h"
#include "storage/settings_lists.h"
#include "ui/common/tray_icon_files.h"
#include "ui/common/win1250_text.h"
#include "ui/dialogs/friend_form.h"
#include "ui/dialogs/rule_form.h"
#include "ui/main/tray_action.h"
#include "ui/pages/accounts_page.h"
#include "ui/pages/bayes_page.h"
#include "ui/pages/friends_page.h"
#include "ui/pages/report_page.h"
#include "ui/pages/rules_page.h"
#include "ui/pages/statistics_page.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>

#include <optional>

namespace kestrin::ui {
namespace {

constexpr int kUpdateBlinkMs = 400;
// How often the window looks whether a notification area (re)appeared.
constexpr int kTrayHostPollMs = 3000;
constexpr int kStatusPanel1Width = 64;
// Keeps the panels' texts off the window's edge and off each other.
constexpr int kStatusTextInset = 4;

} // namespace

Tmain::Tmain(ProgramSession& session, QStringList programArguments, MainServices services, QWidget* parent)
    : QMainWindow(parent), session_(session), programArguments_(std::move(programArguments)),
      services_(std::move(services)), ui_(std::make_unique<Ui::Tmain>())
{
    if (!services_.quit)
        services_.quit = [] { QCoreApplication::quit(); };
    if (!services_.trayAvailable)
        services_.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    ui_->setupUi(this);
    setWindowTitle(QStringLiteral("Kestrin sweeper"));
    buildStatusBar();
    buildTimers();
    buildToolbar();
    buildTrayMenu();
    buildTray();
    buildPages();
    connectSession();
}

Tmain::~Tmain() = default;

void Tmain::buildStatusBar()
{
    statusPanel0_ = new QLabel(QStringLiteral("Kestrin sweeper uruchomiony..."), this);
    statusPanel0_->setObjectName(QStringLiteral("status_panel0"));
    statusPanel1_ = new QLabel(QStringLiteral("-"), this);
    statusPanel1_->setObjectName(QStringLiteral("status_panel1"));
    statusPanel1_->setAlignment(Qt::AlignCenter);
    statusPanel1_->setMinimumWidth(kStatusPanel1Width);
    statusPanel0_->setContentsMargins(kStatusTextInset, 0, kStatusTextInset, 0);
    statusPanel1_->setContentsMargins(kStatusTextInset, 0, kStatusTextInset, 0);
    statusBar()->setObjectName(QStringLiteral("status"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(statusPanel0_, 1);
    statusBar()->addPermanentWidget(statusPanel1_);
}

void Tmain::buildTimers()
{
    updateblink_timer_ = new QTimer(this);
    updateblink_timer_->setObjectName(QStringLiteral("updateblink_timer"));
    updateblink_timer_->setInterval(kUpdateBlinkMs);
    connect(updateblink_timer_, &QTimer::timeout, this, &Tmain::updateblink_timerTimer);

    trayhost_timer_ = new QTimer(this);
    trayhost_timer_->setObjectName(QStringLiteral("trayhost_timer"));
    trayhost_timer_->setInterval(kTrayHostPollMs);
    connect(trayhost_timer_, &QTimer::timeout, this, &Tmain::trayhost_timerTimer);
}

// One widget class a page, each a view over the session.
void Tmain::buildPages()
{
    reportPage_ = new ReportPage(session_, services_.prompter, services_.shell, ui_->pages);
    auto* rulesPage = new RulesPage(session_, services_.prompter, ui_->pages);
    auto* friendsPage = new FriendsPage(session_, services_.prompter, ui_->pages);
    ui_->pages->addTab(reportPage_, QStringLiteral("Raport"));
    ui_->pages->addTab(new StatisticsPage(session_, services_.prompter, ui_->pages), QStringLiteral("Statystyki"));
    ui_->pages->addTab(new AccountsPage(session_, services_.prompter, ui_->pages), QStringLiteral("Konta pocztowe"));
    ui_->pages->addTab(new BayesPage(session_, ui_->pages), QStringLiteral("Filtr Bayesa"));
    ui_->pages->addTab(rulesPage, QStringLiteral("Reguły wiadomości"));
    ui_->pages->addTab(friendsPage, QStringLiteral("Lista przyjaciół"));
    // The report makes rules and friends from a message with their pages' editors.
    connect(reportPage_, &ReportPage::ruleRequested, rulesPage, [rulesPage](const QString& text, int field) {
        rulesPage->openRuleEditor(-1, true)->showReportField(text, field);
    });
    connect(reportPage_, &ReportPage::friendRequested, friendsPage,
            [friendsPage](const FriendRecord& sender) { friendsPage->openFriendEditor(-1, true)->showFriend(sender); });
}

// The window follows the session: the cycle in the status bar and the tray,
// the settings it applies, and a report it could not save.
void Tmain::connectSession()
{
    connect(&session_, &ProgramSession::cycleStarted, this, &Tmain::cycleStarted);
    connect(&session_, &ProgramSession::cycleStatusChanged, this, &Tmain::cycleStatusChanged);
    connect(&session_, &ProgramSession::cycleProgressChanged, this, &Tmain::cycleProgressChanged);
    connect(&session_, &ProgramSession::cycleEnded, this, &Tmain::cycleEnded);
    connect(&session_, &ProgramSession::settingsApplied, this, &Tmain::applyWindowSettings);
    connect(&session_, &ProgramSession::saveFailed, this, &Tmain::reportSaveFailure);
}

void Tmain::setSettingsCommand(std::function<void()> showSettings)
{
    showSettings_ = std::move(showSettings);
    tool_sett_->setEnabled(static_cast<bool>(showSettings_));
}

void Tmain::setTrayIconFile(const QString& icoPath)
{
    tray_->setIcon(loadIconFile(icoPath));
    trayIconFile_ = icoPath;
}

void Tmain::setTransparency(bool on, int opacity)
{
    setWindowOpacity(on ? qBound(0, opacity, 255) / 255.0 : 1.0);
}

void Tmain::setMainWindowEnabled(bool enabled)
{
    setEnabled(enabled);
}

QIcon Tmain::mainWindowIcon() const
{
    return windowIcon();
}

double Tmain::mainWindowOpacity() const
{
    return windowOpacity();
}

// The settings that change how the window looks: the tray menu's default
// item, the idle tray icon (a running cycle shows its progress instead, and the
// idle icon follows at its end) and the transparency.
void Tmain::applyWindowSettings(bool)
{
    const Settings& settings = session_.data().settings;
    const TrayAction action = trayActionAt(settings.defaultTrayAction);
    // A stored position outside the list selects nothing; the menu then keeps
    // what it has rather than show an item that does nothing.
    if (action != TrayAction::None)
        setTrayAction(action);
    if (!session_.state().cycleRunning)
        showIdleTrayIcon();
    const std::optional<int32_t> opacity = kestrin::windowOpacity(settings.alpha);
    setTransparency(opacity.has_value(), opacity.value_or(255));
}

// The start-up could not read every file: the user hears why once the window
// is up; a refused file ends the program as "Zakończ" ends it, from the event
// loop, so the quit reaches a running loop.
void Tmain::startUpEnded(const session::StartUpResult& result)
{
    if (!result.message.empty())
        services_.prompter.show(PromptIcon::Error, programCaption(), fromWin1250(result.message));
    if (!result.applyError.empty())
        services_.prompter.show(PromptIcon::Error, programCaption(), QString::fromUtf8(result.applyError));
    if (result.outcome == session::StartUpOutcome::VersionRefused)
        QTimer::singleShot(0, this, &Tmain::pop_zakonczClick);
}

} // namespace kestrin::ui
