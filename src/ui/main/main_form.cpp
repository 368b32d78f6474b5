#include "ui/main/main_form.h"

#include "ui/main/cycle_engine.h"

#include "platform/termination_signals.h"
#include "storage/settings_lists.h"
#include "ui/main/cycle_worker.h"
#include "ui/main/hand_over_gate.h"
#include "ui/common/tray_icon_files.h"
#include "ui_main_form.h"

#include <QCoreApplication>
#include <QLabel>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTimer>

namespace kestrin::ui {
namespace {

constexpr int kUpdateBlinkMs = 400;
// How often the window looks whether a notification area (re)appeared.
constexpr int kTrayHostPollMs = 3000;
constexpr int kStatusPanel1Width = 64;
// Keeps the panels' texts off the window's edge and off each other.
constexpr int kStatusTextInset = 4;

} // namespace

Tmain::Tmain(std::string programFolder, QStringList programArguments, MainServices services, QWidget* parent)
    : QMainWindow(parent), programFolder_(std::move(programFolder)), programArguments_(std::move(programArguments)),
      services_(std::move(services)), ui_(std::make_unique<Ui::Tmain>()),
      checkedMemory_(std::make_shared<IdentityMemory>(kCheckedMemoryCapacity)),
      markedMemory_(std::make_shared<IdentityMemory>()), gate_(std::make_shared<HandOverGate>(*this, *this))
{
    if (!services_.quit)
        services_.quit = [] { QCoreApplication::quit(); };
    if (!services_.trayAvailable)
        services_.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
    if (services_.lockFolder.empty())
        services_.lockFolder = singleInstanceLockFolder();
    ui_->setupUi(this);
    setWindowTitle(QStringLiteral("Kestrin sweeper"));
    buildStatusBar();
    buildTimers();
    buildToolbar();
    buildTrayMenu();
    buildTray();
    connectCommands();
}

Tmain::~Tmain()
{
    // Nothing may reach a window that is going away, not even a late step.
    gate_->close();
    if (worker_)
        worker_->stop(kWorkerStopWait);
}

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
    kill_timer_ = new QTimer(this);
    kill_timer_->setObjectName(QStringLiteral("kill_timer"));
    // Until the settings are applied: the default interval, never 0 (which would fire at once).
    kill_timer_->setInterval(
        static_cast<int>(checkIntervalMs(defaultPosition(SettingsList::Min), defaultPosition(SettingsList::Sek))));
    connect(kill_timer_, &QTimer::timeout, this, &Tmain::kill_timerTimer);

    updateblink_timer_ = new QTimer(this);
    updateblink_timer_->setObjectName(QStringLiteral("updateblink_timer"));
    updateblink_timer_->setInterval(kUpdateBlinkMs);
    connect(updateblink_timer_, &QTimer::timeout, this, &Tmain::updateblink_timerTimer);

    trayhost_timer_ = new QTimer(this);
    trayhost_timer_->setObjectName(QStringLiteral("trayhost_timer"));
    trayhost_timer_->setInterval(kTrayHostPollMs);
    connect(trayhost_timer_, &QTimer::timeout, this, &Tmain::trayhost_timerTimer);
}

IdentityMemory& Tmain::checkedMemory()
{
    return *checkedMemory_;
}

IdentityMemory& Tmain::markedMemory()
{
    return *markedMemory_;
}

void Tmain::setSettingsCommand(std::function<void()> showSettings)
{
    showSettings_ = std::move(showSettings);
    tool_sett_->setEnabled(static_cast<bool>(showSettings_));
}

void Tmain::announceUpdate(const QString& version, const QString& history, const QString& setup)
{
    state_.updateAvailable = true;
    state_.updateVersion = version;
    state_.updateHistory = history;
    state_.updateSetup = setup;
}

// OptionsHost

void Tmain::setCheckInterval(int milliseconds)
{
    kill_timer_->setInterval(milliseconds);
}

bool Tmain::checkTimerEnabled() const
{
    return kill_timer_->isActive();
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

// The friends page and its address-book reader listen for this; until they
// exist nobody does, and nothing is imported.
void Tmain::importFriendsSilently()
{
    emit addressBookImportRequested();
}

void Tmain::statisticsViewChanged()
{
    emit statisticsViewChangeRequested();
}

void Tmain::restoreListSorting()
{
    emit listSortingRestoreRequested();
}

void Tmain::refreshItemCounts()
{
    emit itemCountsChanged();
}

void Tmain::reportReplaced()
{
    emit reportChanged();
}

void Tmain::startFirstCycle()
{
    state_.checkRunning = false;
    kill_timer_->stop();
    kill_timerTimer();
}

// The start-up found a stored file it must not overwrite: the program ends as
// "Zakończ" ends it, from the event loop, so the quit reaches a running loop.
void Tmain::closeMainWindow()
{
    QTimer::singleShot(0, this, &Tmain::pop_zakonczClick);
}

} // namespace kestrin::ui
