#pragma once
// The worker reads one immutable copy of records and settings taken when the
// cycle starts, so the user may edit records while the cycle runs.
#include "engine/bayes_probability.h"
#include "engine/body_correction.h"
#include "storage/program_data.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kestrin {

// The settings one cycle reads, already turned from list positions into numbers.
struct CycleSettings {
    int32_t mailWaitSeconds = 10; // POP3 and SMTP connect and read time-out
    int32_t netWaitMinutes = 5;   // how long to wait for a network
    int32_t accWaitSeconds = 0;   // pause between accounts
    int32_t accSkipCycles = 10;   // cycles to skip an unreachable account
    bool skipNetCheck = false;
    std::string smtpHost;
    std::string smtpPort = "25";
    std::string smtpMail;
    std::string smtpUser;
    std::string smtpPass;
    int32_t smtpSecurity = 0; // 0 none, 1 TLS, 2 STARTTLS
    bool bayesActive = true;
    bool bayesSafeMode = false;
    BodyCorrection bodyCorrection;
};

CycleSettings cycleSettings(const Settings& settings);

struct CycleSnapshot {
    std::vector<AccountRecord> accounts; // with their skip counters
    std::vector<RuleRecord> rules;
    std::vector<FriendRecord> friends;
    std::vector<BayesWordRecord> bayesWords;
    BayesMessageCounts bayesMarked; // BayList0 and BayList1: what the word counts are out of
    CycleSettings settings;
};

// Copies taken on the thread that owns data.
std::shared_ptr<const CycleSnapshot> takeCycleSnapshot(const ProgramData& data);

} // namespace kestrin
