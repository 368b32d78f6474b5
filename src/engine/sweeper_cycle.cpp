#include "engine/sweeper_cycle.h"

#include "engine/cycle_texts.h"
#include "storage/folder_access.h"

#include <thread>

namespace kestrin {

SweeperCycle::SweeperCycle(const CycleSnapshot& snapshot, SweeperContext& context, CycleHost& host)
    : snapshot_(snapshot), context_(context), host_(host), cancel_(context.cancel),
      messageFile_(temporaryMessagePath(context.programFolder)), checkedGeneration_(context.checkedMemory.generation())
{
}

// Without Close the session's socket is shut without QUIT, so a cancelled
// cycle leaves every message on the server.
SweeperCycle::~SweeperCycle() = default;

void SweeperCycle::run()
{
    try {
        runSteps();
    } catch (const CycleCancelled&) {
        throw;
    } catch (const std::exception& failure) {
        // An unexpected failure ends the cycle early; the host still gets its end
        // step, and what the open connection judged, without its deletions: no
        // QUIT follows.
        cancel_.throwIfCancelled();
        if (visit_)
            endVisit(snapshot_.accounts[visitAccount_], std::string(failure.what()));
        endStep();
    }
}

void SweeperCycle::runSteps()
{
    progressTotal_ = 2 * static_cast<uint32_t>(snapshot_.accounts.size()) + 2;
    progressStep();
    session_ = std::make_unique<TIdPOP3>(context_.channels);
    session_->ConnectTimeout = snapshot_.settings.mailWaitSeconds * 1000;
    session_->ReadTimeout = snapshot_.settings.mailWaitSeconds * 1000;
    TIdPOP3* session = session_.get();
    sessionAbort_.emplace(cancel_, [session] { session->Abort(); });
    if (!waitForNetwork()) {
        endStep();
        return;
    }
    advanceProgress();
    statusStep(verifyingAccountsText());
    if (accountLoopRuns()) {
        if (const std::optional<std::string> folder = unwritableProgramFolder(context_.programFolder)) {
            // Deleting mail and then failing to save the report that says so would
            // lose that mail without a trace: no server is touched.
            failureSteps(unwritableFolderText(*folder), unwritableFolderText(*folder));
            endStep();
            return;
        }
        if (snapshot_.settings.bayesActive && !snapshot_.bayesWords.empty())
            bayes_.emplace(snapshot_.bayesWords, snapshot_.bayesMarked);
        for (size_t i = 0; i < snapshot_.accounts.size(); ++i)
            checkAccount(i);
    }
    closeSession();
    finalStatus();
    advanceProgress();
    endStep();
}

bool SweeperCycle::waitForNetwork()
{
    if (snapshot_.settings.skipNetCheck)
        return true;
    const int64_t polls = int64_t{snapshot_.settings.netWaitMinutes} * 60;
    for (int64_t j = 1; !context_.internet.connected(); ++j) {
        statusStep(waitingForNetworkText());
        if (polls <= j) {
            failureSteps(noNetworkText(), noNetworkText());
            return false;
        }
        pause(1000);
    }
    return true;
}

bool SweeperCycle::accountLoopRuns()
{
    cancel_.throwIfCancelled();
    const bool anyClassifier = !snapshot_.rules.empty() || snapshot_.settings.bayesActive;
    return context_.internet.connected() && !snapshot_.accounts.empty() && anyClassifier;
}

void SweeperCycle::closeSession()
{
    cancel_.throwIfCancelled();
    if (!session_->IsConnected())
        return;
    try {
        session_->Close();
    } catch (const std::exception&) {
        // A refused QUIT leaves the deletions undone; nothing more to do about it here.
    }
    cancel_.throwIfCancelled();
}

void SweeperCycle::finalStatus()
{
    if (snapshot_.accounts.empty())
        statusStep(noAccountsText());
    else if (snapshot_.rules.empty() && !snapshot_.settings.bayesActive)
        statusStep(noRulesText());
    else
        statusStep(idleText());
}

void SweeperCycle::statusStep(const std::string& text)
{
    cancel_.throwIfCancelled();
    host_.status(text);
}

void SweeperCycle::progressStep()
{
    cancel_.throwIfCancelled();
    const uint64_t percent = progressTotal_ == 0 ? 0 : uint64_t{progressSteps_} * 100 / progressTotal_;
    host_.progress(static_cast<uint8_t>(percent));
}

void SweeperCycle::advanceProgress()
{
    ++progressSteps_;
    progressStep();
}

void SweeperCycle::resultStep(ResultFlags flags, const std::string& reportText, bool newEntry)
{
    cancel_.throwIfCancelled();
    CycleResult result{flags, reportText, newEntry, std::move(pending_)};
    pending_ = SharedChanges();
    if (visit_)
        visit_->hold(std::move(result));
    else
        host_.result(result);
}

void SweeperCycle::messageResultStep(const std::string& reportText, bool newEntry, std::string bayesWords)
{
    cancel_.throwIfCancelled();
    CycleResult result{flags_, reportText, newEntry, std::move(pending_), std::move(bayesWords)};
    pending_ = SharedChanges();
    if (visit_)
        visit_->holdMessage(std::move(result), identity_, deleteSent_, markers_[kActionDelete] != kNotDone);
    else
        host_.result(result);
}

void SweeperCycle::handOver(const CycleResult& result)
{
    cancel_.throwIfCancelled();
    host_.result(result);
}

void SweeperCycle::failureSteps(const std::string& reportText, const std::string& statusText)
{
    resultStep({ResultFlag::Error}, reportText);
    statusStep(statusText);
}

void SweeperCycle::endStep()
{
    cancel_.throwIfCancelled();
    CycleEnd end{newMailCount_, senderText_, subjectText_, std::move(pending_)};
    pending_ = SharedChanges();
    host_.end(end);
}

void SweeperCycle::pause(int64_t ms)
{
    if (context_.sleep)
        context_.sleep(ms);
    else
        cancel_.sleepFor(ms);
    cancel_.throwIfCancelled();
}

} // namespace kestrin
