#include "engine/cycle_snapshot.h"

#include "storage/settings_lists.h"

namespace kestrin {

CycleSettings cycleSettings(const Settings& settings)
{
    CycleSettings cycle;
    cycle.mailWaitSeconds = itemNumber(SettingsList::MailWait, settings.mailWait);
    cycle.netWaitMinutes = itemNumber(SettingsList::NetWait, settings.netWait);
    cycle.accWaitSeconds = itemNumber(SettingsList::AccWait, settings.accWait);
    cycle.accSkipCycles = itemNumber(SettingsList::AccSkip, settings.accSkip);
    cycle.skipNetCheck = settings.skipNetCheck;
    cycle.smtpHost = settings.smtpHost;
    cycle.smtpPort = settings.smtpPort;
    cycle.smtpMail = settings.smtpMail;
    cycle.smtpUser = settings.smtpUser;
    cycle.smtpPass = settings.smtpPass;
    cycle.smtpSecurity = settings.smtpSecurity;
    cycle.bayesActive = settings.bayesActive;
    cycle.bayesSafeMode = settings.bayesSafeMode;
    cycle.bodyCorrection = BodyCorrection{settings.delHtml, settings.delChars, settings.delCharsList};
    return cycle;
}

std::shared_ptr<const CycleSnapshot> takeCycleSnapshot(const ProgramData& data)
{
    auto snapshot = std::make_shared<CycleSnapshot>();
    snapshot->accounts = data.accounts;
    snapshot->rules = data.rules;
    snapshot->friends = data.friends;
    snapshot->bayesWords = data.bayesWords;
    snapshot->bayesMarked = {data.counters.totals.bayList0, data.counters.totals.bayList1};
    snapshot->settings = cycleSettings(data.settings);
    return snapshot;
}

} // namespace kestrin
