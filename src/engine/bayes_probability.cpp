#include "engine/bayes_probability.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace kestrin {
namespace {

double share(uint64_t count, uint64_t messages)
{
    return messages == 0 ? 0.0 : static_cast<double>(count) / static_cast<double>(messages);
}

} // namespace

double robinsonProbability(uint64_t goodCount, uint64_t spamCount, const BayesMessageCounts& messages,
                           const BayesParameters& parameters)
{
    const double good = share(goodCount, messages.good);
    const double spam = share(spamCount, messages.spam);
    const double s = parameters.priorStrength;
    const double x = parameters.priorProbability;
    if (good + spam <= 0.0)
        return x;
    const double p = spam / (good + spam);
    const double n = static_cast<double>(goodCount) + static_cast<double>(spamCount);
    return (s * x + n * p) / (s + n);
}

double chiSquareSurvival(double chi2, size_t halfDegrees)
{
    if (halfDegrees == 0)
        return 0.0;
    const double m = chi2 / 2.0;
    if (m <= 0.0)
        return 1.0;
    // Q = e^-m * sum_{i<n} m^i / i!, each term taken as a logarithm.
    const double logM = std::log(m);
    std::vector<double> logTerms(halfDegrees);
    for (size_t i = 0; i < halfDegrees; ++i)
        logTerms[i] = -m + static_cast<double>(i) * logM - std::lgamma(static_cast<double>(i) + 1.0);
    const double top = *std::max_element(logTerms.begin(), logTerms.end());
    double sum = 0.0;
    for (const double logTerm : logTerms)
        sum += std::exp(logTerm - top);
    return std::min(1.0, std::exp(top + std::log(sum)));
}

double fisherSpamicity(const std::vector<double>& probabilities)
{
    if (probabilities.empty())
        return 0.5;
    double logGood = 0.0; // sum of ln f: near 0 when every word is spammy
    double logSpam = 0.0; // sum of ln (1 - f)
    for (const double f : probabilities) {
        const double clamped = std::clamp(f, 1e-12, 1.0 - 1e-12);
        logGood += std::log(clamped);
        logSpam += std::log1p(-clamped);
    }
    const size_t n = probabilities.size();
    const double spamEvidence = 1.0 - chiSquareSurvival(-2.0 * logSpam, n);
    const double goodEvidence = 1.0 - chiSquareSurvival(-2.0 * logGood, n);
    return (1.0 + spamEvidence - goodEvidence) / 2.0;
}

} // namespace kestrin
