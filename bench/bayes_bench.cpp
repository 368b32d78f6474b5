// Bayes verdicts per second with full tables (400 good and 400 spam words)
// against every corpus message, and the same scores by a scan of the word
// array per token, the way the filter was first described.
#include "corpus_loader.h"
#include "engine/bayes_training.h"
#include "engine/bayes_verdict.h"
#include "engine/top_words.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"
#include "text/ascii_case.h"

#include <benchmark/benchmark.h>

namespace {

struct Corpus {
    std::vector<std::string> texts; // the verdict texts of the messages
    std::vector<kestrin::BayesWordRecord> words;
    size_t bytes = 0;
};

std::vector<std::string> verdictTexts()
{
    std::vector<std::string> texts;
    for (const auto& raw : kestrin::bench::loadCorpusMessages()) {
        kestrin::TIdMessage message;
        kestrin::StringLineSource source(raw);
        try {
            kestrin::readMessage(message, source);
        } catch (const kestrin::EIdException&) {
            continue;
        }
        texts.push_back(kestrin::bayesMessageText(message, true));
    }
    return texts;
}

// The first half of the messages trains the good table, the second the spam
// table (an hour apart each), until both are full and words replace each
// other. Which message trains which table matters little for the speed.
const Corpus& corpus()
{
    static const Corpus loaded = [] {
        Corpus c;
        c.texts = verdictTexts();
        kestrin::TDateTime now = 45000;
        for (size_t i = 0; i < c.texts.size(); ++i) {
            const auto list = i < c.texts.size() / 2 ? kestrin::BayesList::Good : kestrin::BayesList::Spam;
            kestrin::bayesTrain(c.words, list, kestrin::topWords(c.texts[i]), now);
            now += 1.0 / 24;
            c.bytes += c.texts[i].size();
        }
        return c;
    }();
    return loaded;
}

void reportCorpus(benchmark::State& state, const Corpus& c)
{
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * c.texts.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.bytes));
    state.counters["words"] = static_cast<double>(c.words.size());
}

void BM_BayesVerdict(benchmark::State& state)
{
    const Corpus& c = corpus();
    size_t spam = 0;
    for (auto _ : state) {
        // One classifier per check cycle, built from the snapshot of the words.
        const kestrin::BayesClassifier classifier(c.words);
        for (const auto& text : c.texts)
            spam += classifier.isSpam(text, false);
    }
    benchmark::DoNotOptimize(spam);
    reportCorpus(state, c);
    state.counters["spam"] = static_cast<double>(spam / state.iterations());
}

uint64_t scannedScore(const std::vector<kestrin::BayesWordRecord>& words, kestrin::BayesList list,
                      std::string_view text)
{
    uint64_t tokens = 0;
    uint64_t sum = 0;
    uint32_t maxStat = 0;
    for (size_t blank = text.find(' '); blank != std::string_view::npos; blank = text.find(' ')) {
        const std::string_view token = text.substr(0, blank);
        text.remove_prefix(blank + 1);
        ++tokens;
        if (token.size() < kestrin::kBayesMinWordLength)
            continue;
        for (const auto& word : words) {
            if (kestrin::inBayesList(word, list) && kestrin::equalsIgnoreCase(word.name, token))
                sum += word.stat;
        }
    }
    for (const auto& word : words) {
        if (kestrin::inBayesList(word, list))
            maxStat = std::max(maxStat, word.stat);
    }
    return kestrin::bayesScoreValue(sum, tokens, maxStat);
}

void BM_BayesArrayScan(benchmark::State& state)
{
    const Corpus& c = corpus();
    uint64_t total = 0;
    for (auto _ : state) {
        for (const auto& text : c.texts)
            total += scannedScore(c.words, kestrin::BayesList::Good, text) +
                     scannedScore(c.words, kestrin::BayesList::Spam, text);
    }
    benchmark::DoNotOptimize(total);
    reportCorpus(state, c);
}

} // namespace

BENCHMARK(BM_BayesVerdict)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BayesArrayScan)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
