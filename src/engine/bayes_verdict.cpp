#include "engine/bayes_verdict.h"

#include "engine/message_text.h"
#include "engine/tag_stripping.h"

#include <limits>

namespace kestrin {
namespace {

uint64_t doubled(uint64_t score)
{
    return score > std::numeric_limits<uint64_t>::max() / 2 ? std::numeric_limits<uint64_t>::max() : 2 * score;
}

} // namespace

std::string bayesMessageText(const TIdMessage& message, bool bodyFetched)
{
    std::string text = message.Subject + " ";
    if (bodyFetched)
        text += stripTags(messageText(message, " "));
    return text;
}

BayesVerdict BayesClassifier::judge(std::string_view text, bool safeMode) const
{
    BayesVerdict verdict;
    verdict.scores = index_.scores(text);
    const uint64_t good = safeMode ? doubled(verdict.scores.good) : verdict.scores.good;
    const bool trained = index_.wordCount(BayesList::Good) >= kBayesMinTableWords &&
                         index_.wordCount(BayesList::Spam) >= kBayesMinTableWords;
    verdict.spam = trained && good < verdict.scores.spam;
    return verdict;
}

bool BayesClassifier::isSpam(const TIdMessage& message, bool bodyFetched, bool safeMode) const
{
    return isSpam(bayesMessageText(message, bodyFetched), safeMode);
}

} // namespace kestrin
