#include "engine/archive_file.h"
#include "engine/cycle_texts.h"
#include "engine/outgoing_messages.h"
#include "engine/sweeper_cycle.h"

namespace kestrin {
namespace {

// Sends and disconnects; a cancel aborts the session at once and no QUIT follows.
void sendThroughServer(TIdSMTP& client, CancelToken& cancel, const TIdMessage& message,
                       const std::vector<std::string>* recipients)
{
    CancelRegistration abort(cancel, [&client] { client.abort(); });
    try {
        client.Open();
        if (recipients)
            client.SendMessage(message, *recipients);
        else
            client.SendMessage(message);
        client.Close();
    } catch (...) {
        if (!cancel.cancelled() && client.IsConnected()) {
            try {
                client.Close();
            } catch (...) {
            }
        }
        throw;
    }
}

} // namespace

void SweeperCycle::actionStep(const ActionFlags& actions, int cause, int matchedNumber, bool whole)
{
    if (matchedNumber == -1)
        return;
    const bool smtpReady = outgoingServerConfigured(snapshot_.settings);
    bool copyFailed = false;
    if (actions[kActionArchive] && markers_[kActionArchive] == kNotDone && whole)
        copyFailed = !archive(cause);
    if (actions[kActionForward] && markers_[kActionForward] == kNotDone && whole && smtpReady)
        forward(cause);
    if (actions[kActionReply] && markers_[kActionReply] == kNotDone && smtpReady && mayAnswerAutomatically(message_))
        reply(cause);
    // No deletion without the copy this cause asked for; a cause that asked for
    // none, or whose copy a later attempt made, may delete.
    if (actions[kActionDelete] && markers_[kActionDelete] == kNotDone && !copyFailed && session_->IsConnected())
        remove(cause, matchedNumber);
}

bool SweeperCycle::archive(int cause)
{
    try {
        archiveMessageFile(context_.programFolder, messageFile_);
        markers_[kActionArchive] = cause;
        return true;
    } catch (const std::exception&) {
        actionFailed(archiveFailedText());
        return false;
    }
}

void SweeperCycle::forward(int cause)
{
    try {
        const std::string sendTo = cause >= 0 ? snapshot_.rules[static_cast<size_t>(cause)].sendto : std::string();
        TIdMessage loaded;
        loaded.loadFromFile(messageFile_);
        const TIdMessage message = forwardMessage(loaded, message_, snapshot_.settings.smtpMail, sendTo);
        const std::vector<std::string> recipients = forwardRecipients(message);
        auto client = outgoingClient(snapshot_.settings, context_.channels);
        sendThroughServer(*client, cancel_, message, &recipients);
        markers_[kActionForward] = cause;
    } catch (const std::exception&) {
        cancel_.throwIfCancelled();
        actionFailed(forwardFailedText());
    }
}

void SweeperCycle::reply(int cause)
{
    try {
        const std::string text = cause >= 0 ? snapshot_.rules[static_cast<size_t>(cause)].restr : std::string();
        const TIdMessage message = replyMessage(message_, snapshot_.settings.smtpMail, text);
        auto client = outgoingClient(snapshot_.settings, context_.channels);
        sendThroughServer(*client, cancel_, message, nullptr);
        markers_[kActionReply] = cause;
    } catch (const std::exception&) {
        cancel_.throwIfCancelled();
        actionFailed(replyFailedText());
    }
}

void SweeperCycle::remove(int cause, int matchedNumber)
{
    deleteSent_ = true;
    try {
        session_->MarkDeleted(matchedNumber);
    } catch (const std::exception&) {
        cancel_.throwIfCancelled();
        actionFailed(deleteFailedText());
        return;
    }
    if (cause >= 0)
        pending_.ruleStats.push_back({snapshot_.rules[static_cast<size_t>(cause)].key});
    flags_.set(ResultFlag::Deleted);
    if (cause == kCauseBayes)
        flags_.set(ResultFlag::Bayes);
    markers_[kActionDelete] = cause;
}

void SweeperCycle::actionFailed(const std::string& text)
{
    flags_ = {ResultFlag::Error};
    failureSteps(text, text);
}

} // namespace kestrin
