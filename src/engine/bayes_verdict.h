#pragma once
// The Bayes filter's decision on one message: spam when the spam score beats
// the good score and both tables are trained enough.
#include "engine/bayes_score.h"
#include "mail/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

struct BayesVerdict {
    BayesScores scores; // as scored, before safe mode doubles the good one
    bool spam = false;
};

// The subject, one blank, and the lines of the message text joined by blanks
// after tag stripping. Body corrections of the rules do not apply here. Without
// a fetched body only the subject's words count.
std::string bayesMessageText(const TIdMessage& message, bool bodyFetched);

// Built once per check cycle from the snapshot of the word array.
class BayesClassifier {
public:
    explicit BayesClassifier(const std::vector<BayesWordRecord>& words) : index_(words) {}

    // Safe mode doubles the good score before the comparison; equal scores are
    // not spam; either table below kBayesMinTableWords words never gives spam.
    BayesVerdict judge(std::string_view text, bool safeMode) const;
    bool isSpam(std::string_view text, bool safeMode) const { return judge(text, safeMode).spam; }
    bool isSpam(const TIdMessage& message, bool bodyFetched, bool safeMode) const;

    const BayesWordIndex& index() const { return index_; }

private:
    BayesWordIndex index_;
};

} // namespace kestrin
