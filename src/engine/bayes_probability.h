#pragma once
// The published method bogofilter and SpamBayes use to turn word counts into
// a verdict: Robinson's per-word probability, pulled towards a prior for rarely
// seen words, and Fisher's chi-square combining of those probabilities.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kestrin {

// Chosen from bench/bayes_accuracy_bench over several train/test splits of the
// corpus. The verdict reads the subject and body only (no headers), where
// newsletters a user wants look much like spam: so rare words lean towards
// good (x below 0.5) and the spam cutoff is high. Deleting good mail costs far
// more than letting a spam through.
struct BayesParameters {
    double priorStrength = 1.0;      // s: how many messages' worth the prior weighs
    double priorProbability = 0.4;   // x: the spam probability of a word never seen
    double minDeviation = 0.1;       // words closer than this to 0.5 are ignored
    size_t maxWords = 150;           // only the most telling words of a message count
    double spamCutoff = 0.999;       // spamicity from which a message is spam
    double safeSpamCutoff = 0.99999; // the same in safe mode
    double goodCutoff = 0.2;         // up to here a message is good; between: unsure
    uint32_t minMarkedMessages = 20; // of each kind before the filter decides
};

// Number of marked messages behind each table.
struct BayesMessageCounts {
    uint64_t good = 0;
    uint64_t spam = 0;
};

// f(w) = (s*x + n*p) / (s + n), with p = (spam/nspam) / (spam/nspam + good/ngood)
// and n = good + spam, the messages of either kind that held the word. A word no
// marked message held gets the prior x.
double robinsonProbability(uint64_t goodCount, uint64_t spamCount, const BayesMessageCounts& messages,
                           const BayesParameters& parameters);

// Probability that a chi-square variable with 2n degrees of freedom exceeds
// chi2. Summed in logarithms: long messages give chi2 of many thousands, where
// e^(-chi2/2) underflows to 0 and the plain series would answer 0.
double chiSquareSurvival(double chi2, size_t halfDegrees);

// (1 + S - H) / 2 over the word probabilities, with S and H the chi-square
// evidence for spam and for good mail: near 1 spam, near 0 good, 0.5 when
// there is no evidence or the evidence contradicts itself.
double fisherSpamicity(const std::vector<double>& probabilities);

} // namespace kestrin
