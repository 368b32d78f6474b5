#include "engine/bayes_verdict.h"

#include "engine/message_text.h"
#include "engine/tag_stripping.h"

namespace kestrin {
namespace {

BayesBand bandOf(double spamicity, const BayesParameters& parameters, bool safeMode)
{
    const double spamCutoff = safeMode ? parameters.safeSpamCutoff : parameters.spamCutoff;
    if (spamicity >= spamCutoff)
        return BayesBand::Spam;
    return spamicity <= parameters.goodCutoff ? BayesBand::Good : BayesBand::Unsure;
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
    const BayesParameters& parameters = index_.parameters();
    BayesVerdict verdict;
    verdict.scores = index_.score(text);
    verdict.band = bandOf(verdict.scores.spamicity, parameters, safeMode);
    verdict.trained = index_.messages().good >= parameters.minMarkedMessages &&
                      index_.messages().spam >= parameters.minMarkedMessages;
    verdict.spam = verdict.trained && verdict.band == BayesBand::Spam;
    return verdict;
}

bool BayesClassifier::isSpam(const TIdMessage& message, bool bodyFetched, bool safeMode) const
{
    return isSpam(bayesMessageText(message, bodyFetched), safeMode);
}

} // namespace kestrin
