#include "engine/cycle_texts.h"
#include "engine/sweeper_cycle.h"
#include "text/convert_error.h"
#include "text/strict_integer.h"

#include <algorithm>

namespace kestrin {
namespace {

constexpr int kConnectionAttempts = 3;
constexpr const char* kUnlimitedSize = "999999999999999999999999999999";

// The account's size limit must be the unlimited marker or a whole number;
// refused with the other account data rather than ending the whole cycle.
bool validSizeLimit(const std::string& size)
{
    if (size == kUnlimitedSize)
        return true;
    try {
        strictInteger(size);
        return true;
    } catch (const EConvertError&) {
        return false;
    }
}

} // namespace

void SweeperCycle::checkAccount(size_t index)
{
    const AccountRecord& account = snapshot_.accounts[index];
    if (account.skip > 0) {
        pending_.skipCounters.push_back({index, account.name, static_cast<uint8_t>(account.skip - 1)});
        return;
    }
    closeSession();
    if (!configureSession(account)) {
        const std::string text = invalidAccountText(account.name);
        failureSteps(text, text);
        return;
    }
    if (!connect(index, account))
        return;
    advanceProgress();
    statusStep(checkingText(account.name, account.pop3));
    checkMessages(account);
    disconnect();
    if (index + 1 < snapshot_.accounts.size() && snapshot_.settings.accWaitSeconds > 0)
        pause(int64_t{snapshot_.settings.accWaitSeconds} * 1000);
}

bool SweeperCycle::configureSession(const AccountRecord& account)
{
    const std::optional<Pop3Security> security = pop3SecurityFromText(account.ssl);
    if (!security || !validSizeLimit(account.size))
        return false;
    try {
        session_->Port = static_cast<uint16_t>(strictIntegerInRange(account.dopo, 0, 65535));
    } catch (const EConvertError&) {
        return false;
    }
    session_->Host = account.pop3;
    session_->Username = account.user;
    session_->Password = account.pass;
    session_->Security = *security;
    return true;
}

bool SweeperCycle::connect(size_t index, const AccountRecord& account)
{
    std::string lastFailure;
    for (int attempt = 1; attempt <= kConnectionAttempts; ++attempt) {
        statusStep(connectingText(account.name, account.pop3, attempt));
        try {
            session_->Open();
            return true;
        } catch (const std::exception& failure) {
            cancel_.throwIfCancelled();
            lastFailure = failure.what();
        }
    }
    const auto skip = static_cast<uint8_t>(std::clamp(snapshot_.settings.accSkipCycles, 0, 255));
    pending_.skipCounters.push_back({index, account.name, skip});
    failureSteps(connectionFailedReport(account.name, account.pop3, lastFailure),
                 connectionFailedStatus(account.name, account.pop3));
    return false;
}

void SweeperCycle::checkMessages(const AccountRecord& account)
{
    int32_t count = 0;
    try {
        count = session_->QueryMessageCount();
    } catch (const std::exception&) {
        cancel_.throwIfCancelled();
        const std::string text = fetchFailedText(account.name, account.pop3);
        failureSteps(text, text);
        return;
    }
    for (int number = 1; number <= count; ++number) {
        cancel_.throwIfCancelled();
        int64_t size = -1;
        FetchResult fetched = FetchResult::Failed;
        bool whole = false;
        try {
            size = session_->QueryMessageSize(number);
            whole = wholeFlag(account, size);
            fetched = fetch(account, number, whole);
        } catch (const CycleCancelled&) {
            throw;
        } catch (const std::exception&) {
            cancel_.throwIfCancelled();
        }
        if (fetched == FetchResult::Unreadable)
            continue;
        if (fetched == FetchResult::Failed) {
            const std::string text = fetchFailedText(account.name, account.pop3);
            failureSteps(text, text);
            return;
        }
        handleMessage(account, number, size, whole);
    }
}

void SweeperCycle::disconnect()
{
    statusStep(disconnectingText());
    closeSession();
    statusStep(disconnectedText());
    advanceProgress();
}

} // namespace kestrin
