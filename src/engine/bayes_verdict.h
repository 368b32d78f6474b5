#pragma once
// The Bayes filter's decision on one message: spam only when the spamicity
// reaches the spam cutoff and enough messages of each kind were marked.
#include "engine/bayes_score.h"
#include "mail/message.h"

#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

// Unsure messages are kept: deleting good mail costs far more than letting
// one spam through.
enum class BayesBand {
    Good,
    Unsure,
    Spam,
};

struct BayesVerdict {
    BayesScores scores;
    BayesBand band = BayesBand::Unsure; // by the cutoffs of the mode asked
    bool trained = false;               // enough marks of each kind to decide
    bool spam = false;                  // band Spam and trained
};

// The subject, one blank, and the lines of the message text joined by blanks
// after tag stripping. Body corrections of the rules do not apply here. Without
// a fetched body only the subject's words count.
std::string bayesMessageText(const TIdMessage& message, bool bodyFetched);

// Built once per check cycle from the snapshot of the word array and the
// counts of marked messages.
class BayesClassifier {
public:
    BayesClassifier(const std::vector<BayesWordRecord>& words, const BayesMessageCounts& marked,
                    const BayesParameters& parameters = {})
        : index_(words, marked, parameters)
    {
    }

    // Safe mode raises the spam cutoff.
    BayesVerdict judge(std::string_view text, bool safeMode) const;
    bool isSpam(std::string_view text, bool safeMode) const { return judge(text, safeMode).spam; }
    bool isSpam(const TIdMessage& message, bool bodyFetched, bool safeMode) const;

    const BayesWordIndex& index() const { return index_; }

private:
    BayesWordIndex index_;
};

} // namespace kestrin
