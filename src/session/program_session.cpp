#include "session/program_session.h"

#include "platform/qt_line_channel_factory.h"
#include "platform/system_internet_check.h"
#include "session/cycle_worker.h"
#include "session/hand_over_gate.h"
#include "storage/settings_lists.h"

#include <QTimer>

#include <cstdlib>

namespace kestrin::session {
namespace {

SessionServices withDefaults(SessionServices services)
{
    if (!services.channels)
        services.channels = [](const std::string& caFile) { return std::make_shared<QtLineChannelFactory>(caFile); };
    if (!services.internet)
        services.internet = [] { return std::make_shared<SystemInternetCheck>(); };
    if (!services.now)
        services.now = [] { return localNow(); };
    if (services.lockFolder.empty())
        services.lockFolder = singleInstanceLockFolder();
    return services;
}

} // namespace

std::unique_ptr<AccountConnectionCheck> ProgramSession::connectionCheck(const AccountRecord& account) const
{
    const int timeoutMs = itemNumber(SettingsList::MailWait, data_.settings.mailWait) * 1000;
    return std::make_unique<AccountConnectionCheck>(account, services_.channels(data_.settings.caFile), timeoutMs);
}

ProgramSession::ProgramSession(std::string programFolder, SessionServices services, QObject* parent)
    : QObject(parent), programFolder_(std::move(programFolder)), services_(withDefaults(std::move(services))),
      checkedMemory_(std::make_shared<IdentityMemory>(kCheckedMemoryCapacity)),
      markedMemory_(std::make_shared<IdentityMemory>()), gate_(std::make_shared<HandOverGate>(*this, *this))
{
    kill_timer_ = new QTimer(this);
    kill_timer_->setObjectName(QStringLiteral("kill_timer"));
    // Until the settings are applied: the default interval, never 0 (which would fire at once).
    kill_timer_->setInterval(
        static_cast<int>(checkIntervalMs(defaultPosition(SettingsList::Min), defaultPosition(SettingsList::Sek))));
    connect(kill_timer_, &QTimer::timeout, this, &ProgramSession::kill_timerTimer);
}

ProgramSession::~ProgramSession()
{
    // Nothing may reach a session that is going away, not even a late step.
    gate_->close();
    if (worker_)
        worker_->stop(kWorkerStopWait);
}

bool ProgramSession::checkTimerActive() const
{
    return kill_timer_->isActive();
}

bool ProgramSession::lockProgram()
{
    instanceLock_ = std::make_unique<SingleInstanceLock>(services_.lockFolder);
    if (instanceLock_->tryLock())
        return true;
    instanceLock_.reset();
    return false;
}

void ProgramSession::applySettings()
{
    kill_timer_->setInterval(static_cast<int>(checkIntervalMs(data_.settings.min, data_.settings.sek)));
    emit settingsApplied(!startedUp_);
    // Only the user's own entry exists here: a desktop session has no
    // machine-wide entry of ours to remove.
    if (services_.setAutostart)
        services_.setAutostart(data_.settings.runAtStartup);
}

void ProgramSession::announceUpdate(const std::string& version, const std::string& history, const std::string& setup)
{
    state_.updateAvailable = true;
    state_.updateVersion = version;
    state_.updateHistory = history;
    state_.updateSetup = setup;
    emit updateAnnounced();
}

void ProgramSession::windowMinimised()
{
    state_.newEntryCount = -std::abs(state_.newEntryCount);
}

} // namespace kestrin::session
