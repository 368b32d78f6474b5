// How well the word filter tells good mail from spam on mail it was not
// trained on. N good and N spam corpus messages are marked through the real
// mark operation (as a user marks report entries), the rest of both folders
// is classified, and the errors are counted for the filter as it was, for the
// mended filter and for bogofilter trained on the same messages.
//
// KESTRIN_BAYES_S, _X, _MINDEV, _MAXWORDS, _CUTOFF, _SAFE_CUTOFF and _ACTIVATION override
// the filter's parameters, for tuning; KESTRIN_BAYES_SEED picks another split and
// KESTRIN_BAYES_SCAN adds the errors after only a few marks; KESTRIN_BAYES_MENDED_ONLY
// leaves out the former filter and bogofilter while tuning.
#include "bogofilter_run.h"
#include "corpus_loader.h"
#include "engine/bayes_mark.h"
#include "engine/bayes_verdict.h"
#include "engine/message_text.h"
#include "engine/report_value.h"
#include "engine/tag_stripping.h"
#include "engine/top_words.h"
#include "former_bayes.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"
#include "storage/mail_report_entry.h"
#include "storage/report_entry.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>

namespace {

using namespace kestrin;

struct Sample {
    std::string path;
    std::string verdictText; // what the verdict reads
    std::string reportLine;  // the unmarked report entry the check cycle writes
    std::string topWords;
    std::string subject;
};

struct Split {
    std::vector<const Sample*> trainGood, trainSpam, testGood, testSpam;
};

struct Errors {
    size_t goodAsSpam = 0;
    size_t spamThrough = 0;
};

double envOr(const char* name, double fallback)
{
    const char* value = std::getenv(name);
    return value ? std::atof(value) : fallback;
}

std::optional<Sample> sampleOf(const bench::CorpusFile& file)
{
    TIdMessage message;
    StringLineSource source(file.text);
    try {
        readMessage(message, source);
    } catch (const EIdException&) {
        return std::nullopt;
    }
    Sample sample;
    sample.path = file.path;
    sample.verdictText = bayesMessageText(message, true);
    sample.topWords = neutraliseReportValue(topWords(stripTags(messageText(message, " "))));
    sample.subject = message.Subject;
    MailReportEntry entry;
    entry.subject = sample.subject;
    entry.topWords = sample.topWords;
    entry.cause = "-";
    entry.size = "1 kb";
    sample.reportLine = buildReportEntry(kReportKindMail, formatMailReportEntry(entry));
    return sample;
}

std::vector<Sample> loadSamples(const char* folder)
{
    std::vector<Sample> samples;
    for (const bench::CorpusFile& file : bench::loadCorpusFolder(folder)) {
        if (auto sample = sampleOf(file))
            samples.push_back(std::move(*sample));
    }
    // A fixed shuffle: the folders are sorted by arrival, and training on the
    // oldest mail only would measure drift as much as the filter.
    std::mt19937 random(static_cast<std::mt19937::result_type>(envOr("KESTRIN_BAYES_SEED", 20260)));
    std::shuffle(samples.begin(), samples.end(), random);
    return samples;
}

Split split(const std::vector<Sample>& good, const std::vector<Sample>& spam, size_t n)
{
    Split s;
    for (size_t i = 0; i < good.size(); ++i)
        (i < n ? s.trainGood : s.testGood).push_back(&good[i]);
    for (size_t i = 0; i < spam.size(); ++i)
        (i < n ? s.trainSpam : s.testSpam).push_back(&spam[i]);
    return s;
}

// Marks alternate good and spam, a minute apart, as a user goes down a report.
void markAll(const Split& s, const std::function<void(const Sample&, BayesList, TDateTime)>& mark)
{
    TDateTime now = 46000;
    for (size_t i = 0; i < std::max(s.trainGood.size(), s.trainSpam.size()); ++i) {
        if (i < s.trainGood.size())
            mark(*s.trainGood[i], BayesList::Good, now += 1.0 / 1440);
        if (i < s.trainSpam.size())
            mark(*s.trainSpam[i], BayesList::Spam, now += 1.0 / 1440);
    }
}

Errors count(const Split& s, const std::function<bool(const Sample&)>& isSpam)
{
    Errors e;
    for (const Sample* sample : s.testGood)
        e.goodAsSpam += isSpam(*sample);
    for (const Sample* sample : s.testSpam)
        e.spamThrough += !isSpam(*sample);
    return e;
}

BayesParameters parameters()
{
    BayesParameters p;
    p.priorStrength = envOr("KESTRIN_BAYES_S", p.priorStrength);
    p.priorProbability = envOr("KESTRIN_BAYES_X", p.priorProbability);
    p.minDeviation = envOr("KESTRIN_BAYES_MINDEV", p.minDeviation);
    p.maxWords = static_cast<size_t>(envOr("KESTRIN_BAYES_MAXWORDS", static_cast<double>(p.maxWords)));
    p.spamCutoff = envOr("KESTRIN_BAYES_CUTOFF", p.spamCutoff);
    p.safeSpamCutoff = envOr("KESTRIN_BAYES_SAFE_CUTOFF", p.safeSpamCutoff);
    p.minMarkedMessages = static_cast<uint32_t>(envOr("KESTRIN_BAYES_ACTIVATION", p.minMarkedMessages));
    return p;
}

void printRow(const char* method, size_t n, const char* safe, const Split& s, const Errors& e)
{
    const double good = static_cast<double>(s.testGood.size());
    const double spam = static_cast<double>(s.testSpam.size());
    std::printf("| %-22s | %3zu + %-3zu | %-4s | %4zu of %4zu (%5.2f %%) | %4zu of %4zu (%5.1f %%) |\n", method, n, n,
                safe, e.goodAsSpam, s.testGood.size(), 100.0 * static_cast<double>(e.goodAsSpam) / good, e.spamThrough,
                s.testSpam.size(), 100.0 * static_cast<double>(e.spamThrough) / spam);
}

void runFormer(const Split& s, size_t n)
{
    bench::FormerBayes former;
    markAll(s, [&](const Sample& m, BayesList list, TDateTime now) {
        former.mark(bayesListValue(list), m.topWords, m.subject, now);
    });
    former.prepare();
    for (const bool safe : {false, true})
        printRow("former filter", n, safe ? "on" : "off", s,
                 count(s, [&](const Sample& m) { return former.isSpam(m.verdictText, safe); }));
}

BayesClassifier trainMended(const Split& s, const BayesParameters& p)
{
    std::vector<BayesWordRecord> words;
    StatsTotals totals;
    markAll(s, [&](const Sample& m, BayesList list, TDateTime now) {
        std::string line = m.reportLine;
        markBayesEntry(line, list, words, totals, now, m.verdictText);
    });
    return BayesClassifier(words, {totals.bayList0, totals.bayList1}, p);
}

// KESTRIN_BAYES_LIST names the good messages called spam and their spamicity.
void listGoodCalledSpam(const Split& s, const BayesClassifier& classifier, bool safe)
{
    if (!std::getenv("KESTRIN_BAYES_LIST"))
        return;
    for (const Sample* sample : s.testGood) {
        const BayesVerdict verdict = classifier.judge(sample->verdictText, safe);
        if (verdict.spam)
            std::printf("  good called spam: %s %.6f (%zu words)\n", sample->path.c_str(), verdict.scores.spamicity,
                        verdict.scores.words);
    }
}

void runMended(const Split& s, size_t n)
{
    const BayesClassifier classifier = trainMended(s, parameters());
    listGoodCalledSpam(s, classifier, true);
    for (const bool safe : {false, true})
        printRow("mended filter", n, safe ? "on" : "off", s,
                 count(s, [&](const Sample& m) { return classifier.isSpam(m.verdictText, safe); }));
}

std::vector<std::string> pathsOf(const std::vector<const Sample*>& samples)
{
    std::vector<std::string> paths;
    for (const Sample* sample : samples)
        paths.push_back(sample->path);
    return paths;
}

void runBogofilter(const Split& s, size_t n)
{
    if (!bench::BogofilterRun::available()) {
        std::printf("| bogofilter -B          | not installed |\n");
        return;
    }
    bench::BogofilterRun bogofilter;
    bogofilter.train(pathsOf(s.trainGood), false);
    bogofilter.train(pathsOf(s.trainSpam), true);
    const auto verdicts = bogofilter.classify(pathsOf(s.testGood));
    const auto spamVerdicts = bogofilter.classify(pathsOf(s.testSpam));
    Errors e;
    size_t unsure = 0;
    for (const auto& [path, verdict] : verdicts)
        e.goodAsSpam += verdict == 'S';
    for (const auto& [path, verdict] : spamVerdicts) {
        e.spamThrough += verdict != 'S';
        unsure += verdict == 'U';
    }
    printRow("bogofilter -B", n, "-", s, e);
    std::printf("|   (of the spam let through, %zu unsure)\n", unsure);
}

// How soon the mended filter can be let loose: its errors after few marks.
void activationScan(const std::vector<Sample>& good, const std::vector<Sample>& spam)
{
    std::printf("\nmended filter after few marks (activation ignored):\n");
    for (const size_t n : {5, 10, 20, 30, 50, 75, 100, 150}) {
        const Split s = split(good, spam, n);
        BayesParameters loose = parameters();
        loose.minMarkedMessages = 0;
        const BayesClassifier classifier = trainMended(s, loose);
        for (const bool safe : {false, true})
            printRow("mended, no activation", n, safe ? "on" : "off", s,
                     count(s, [&](const Sample& m) { return classifier.isSpam(m.verdictText, safe); }));
    }
}

} // namespace

int main()
{
    const std::vector<Sample> good = loadSamples("easy-ham-1");
    const std::vector<Sample> spam = loadSamples("spam-1");
    if (good.empty() || spam.empty()) {
        std::fprintf(stderr, "corpus folders easy-ham-1 and spam-1 not found under %s\n", KESTRIN_CORPUS_DIR);
        return 1;
    }
    const BayesParameters p = parameters();
    std::printf("mended filter: s=%.3g x=%.3g min_dev=%.3g at most %zu words, spam cutoff %.6g (safe %.6g), "
                "activation %u marks each\n",
                p.priorStrength, p.priorProbability, p.minDeviation, p.maxWords, p.spamCutoff, p.safeSpamCutoff,
                p.minMarkedMessages);
    std::printf("| method                 | marks     | safe | good mail called spam   | spam let through        |\n");
    std::printf("|---|---|---|---|---|\n");
    for (const size_t n : {50, 300}) {
        const Split s = split(good, spam, n);
        const bool mendedOnly = std::getenv("KESTRIN_BAYES_MENDED_ONLY") != nullptr;
        if (!mendedOnly)
            runFormer(s, n);
        runMended(s, n);
        if (!mendedOnly)
            runBogofilter(s, n);
    }
    if (std::getenv("KESTRIN_BAYES_SCAN"))
        activationScan(good, spam);
    return 0;
}
