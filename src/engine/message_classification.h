#pragma once
// Which causes select one message: the friends list, the Bayes filter first,
// then every rule in order. Pure, so the check cycle and a dry run (kestrin-cli
// classify) judge a message alike; the cycle then runs the action step for
// each cause in this order.
#include "engine/bayes_verdict.h"
#include "engine/cycle_snapshot.h"
#include "engine/rule_evaluation.h"
#include "mail/message.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Cause codes of an action: the user's mark, the Bayes filter, a rule index (0 or more).
inline constexpr int kCauseUser = -2;
inline constexpr int kCauseBayes = -1;
inline constexpr int kNotDone = -100;

enum ActionIndex : size_t { kActionArchive = 0, kActionForward = 1, kActionReply = 2, kActionDelete = 3 };
using ActionFlags = std::array<bool, 4>;
using ActionMarkers = std::array<int, 4>;

inline constexpr ActionFlags kArchiveAndDelete = {true, false, false, true};

// True when some friend's `mail`, folded to lower case, mask-matches the folded address.
bool isFriendAddress(const std::vector<FriendRecord>& friends, std::string_view senderAddress);

enum class CauseOutcome {
    Selected,
    NotSelected,
    FriendExempt, // a rule without `nofri` and a sender from the friends list
    Fault         // the rule cannot be evaluated: unknown field or a value that is not a number
};

struct CauseJudgement {
    int cause = kCauseBayes; // kCauseBayes or the rule index
    CauseOutcome outcome = CauseOutcome::NotSelected;
    ActionFlags actions{};
};

struct MessageClassification {
    bool isFriend = false;
    std::optional<BayesVerdict> bayes;  // absent when the filter was not asked
    std::vector<CauseJudgement> causes; // the Bayes filter (when asked) first, then every rule in order
};

// messageSize as the server reported it (-1 unknown); wholeMessage false when only the header was fetched.
// bayes may be null when the filter is off or its word array empty.
MessageClassification classifyMessage(const CycleSnapshot& snapshot, const BayesClassifier* bayes,
                                      const TIdMessage& message, int64_t messageSize, bool wholeMessage);

// RFC 3834: no answer to a message that says it is automatic ("Auto-Submitted"
// other than "no") or bulk ("Precedence: bulk", "junk" or "list").
bool mayAnswerAutomatically(const TIdMessage& message);

// What the action step would do if every action succeeded: per action the
// cause that does it, or kNotDone. Archive and forward need the whole message,
// forward and reply the outgoing server (smtpReady), reply the RFC 3834 test.
ActionMarkers plannedActions(const MessageClassification& classification, bool wholeMessage, bool smtpReady,
                             bool mayAnswer);

// Field 3 of the report entry for a delete marker.
std::string deletingCauseText(int deleteMarker, const std::vector<RuleRecord>& rules);

} // namespace kestrin
