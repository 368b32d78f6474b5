#pragma once
// The running state of one check cycle, split over sweeper_cycle.cpp (whole
// cycle and handoffs), sweeper_account.cpp, sweeper_message.cpp and
// sweeper_actions.cpp. Internal to the engine.
#include "engine/bayes_verdict.h"
#include "engine/message_classification.h"
#include "engine/sweeper.h"
#include "engine/visit_ledger.h"
#include "mail/pop3_client.h"

#include <memory>
#include <optional>
#include <string>

namespace kestrin {

// Identity values of one message, neutralised for the report line.
struct MessageValues {
    std::string messageId;
    std::string dateText;
    std::string senderName;
    std::string senderAddress;
    std::string subject;
};

class SweeperCycle {
public:
    SweeperCycle(const CycleSnapshot& snapshot, SweeperContext& context, CycleHost& host);
    ~SweeperCycle();
    void run();

private:
    void runSteps();

    // Handoffs; each first makes sure the cycle was not cancelled.
    void statusStep(const std::string& text);
    void progressStep();
    void advanceProgress();
    // Held while a connection is open (see VisitLedger), handed over otherwise.
    void resultStep(ResultFlags flags, const std::string& reportText, bool newEntry = false);
    void messageResultStep(const std::string& reportText, bool newEntry, std::string bayesWords = {});
    void handOver(const CycleResult& result);
    void failureSteps(const std::string& reportText, const std::string& statusText);
    void endStep();
    void pause(int64_t ms);

    // Whole cycle
    bool waitForNetwork();
    bool accountLoopRuns();
    void closeSession();
    void finalStatus();

    // Per account (sweeper_account.cpp)
    void checkAccount(size_t index);
    bool configureSession(const AccountRecord& account);
    bool connect(const AccountRecord& account);
    void checkMessages(const AccountRecord& account);
    void disconnect(const AccountRecord& account);
    std::optional<std::string> quit();
    bool reopen(const AccountRecord& account);
    void endVisit(const AccountRecord& account, const std::optional<std::string>& failure);

    // Per message (sweeper_message.cpp)
    enum class FetchResult { Fetched, Unreadable, SizeFailed, Failed };
    struct Fetch {
        FetchResult result = FetchResult::Failed;
        int64_t size = kMessageSizeMissing;
        bool whole = false;
    };
    bool wholeFlag(const AccountRecord& account, int64_t messageSize) const;
    Fetch fetch(const AccountRecord& account, int number);
    bool fetchOnce(int number, const Fetch& plan);
    Fetch judgeByHeader(const AccountRecord& account, int number, Fetch plan);
    void reportUnreadable(const AccountRecord& account, int number, const std::exception& failure);
    void handleMessage(const AccountRecord& account, int number, int64_t messageSize, bool whole);
    void classify(int number, int64_t messageSize, bool whole);
    std::string mailEntry(const AccountRecord& account, const MessageValues& values, int64_t messageSize,
                          bool whole) const;
    void countNewMail();

    // Action step (sweeper_actions.cpp)
    void actionStep(const ActionFlags& actions, int cause, int matchedNumber, bool whole);
    bool archive(int cause); // false when the copy failed
    void forward(int cause);
    void reply(int cause);
    void remove(int cause, int matchedNumber);
    void actionFailed(const std::string& text);

    const CycleSnapshot& snapshot_;
    SweeperContext& context_;
    CycleHost& host_;
    CancelToken& cancel_;
    std::unique_ptr<TIdPOP3> session_;
    std::optional<CancelRegistration> sessionAbort_;
    std::optional<BayesClassifier> bayes_;
    TIdMessage message_;
    std::string messageFile_;
    uint64_t checkedGeneration_ = 0; // of the checked-message memory when the cycle began
    uint32_t progressSteps_ = 0;
    uint32_t progressTotal_ = 0;
    uint32_t newMailCount_ = 0;
    std::string senderText_;
    std::string subjectText_;
    SharedChanges pending_;
    std::optional<VisitLedger> visit_; // from log-in to the end of the connection
    size_t visitAccount_ = 0;
    std::string lastFailure_; // why the last attempt or the connection failed

    // The message being handled
    std::string identity_;
    ResultFlags flags_;
    ActionMarkers markers_{};
    bool deleteSent_ = false;
};

} // namespace kestrin
