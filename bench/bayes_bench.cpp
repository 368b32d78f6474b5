// Bayes verdicts per second against every corpus message with tables trained
// on the whole corpus (half of it marked good, half spam), and the cost of one
// mark into a full table, where new words replace the least recently used.
#include "corpus_loader.h"
#include "engine/bayes_training.h"
#include "engine/bayes_verdict.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <benchmark/benchmark.h>

namespace {

struct Corpus {
    std::vector<std::string> texts; // the verdict texts of the messages
    std::vector<kestrin::BayesWordRecord> words;
    kestrin::BayesMessageCounts marked;
    kestrin::TDateTime lastMark = 45000;
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
// table, a minute apart. Which message trains which table matters little for
// the speed.
const Corpus& corpus()
{
    static const Corpus loaded = [] {
        Corpus c;
        c.texts = verdictTexts();
        for (size_t i = 0; i < c.texts.size(); ++i) {
            const bool good = i < c.texts.size() / 2;
            kestrin::bayesTrain(c.words, good ? kestrin::BayesList::Good : kestrin::BayesList::Spam, c.texts[i],
                                c.lastMark += 1.0 / 1440);
            ++(good ? c.marked.good : c.marked.spam);
            c.bytes += c.texts[i].size();
        }
        return c;
    }();
    return loaded;
}

void BM_BayesVerdict(benchmark::State& state)
{
    const Corpus& c = corpus();
    size_t spam = 0;
    for (auto _ : state) {
        // One classifier per check cycle, built from the snapshot of the words.
        const kestrin::BayesClassifier classifier(c.words, c.marked);
        for (const auto& text : c.texts)
            spam += classifier.isSpam(text, false);
    }
    benchmark::DoNotOptimize(spam);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * c.texts.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * c.bytes));
    state.counters["words"] = static_cast<double>(c.words.size());
    state.counters["spam"] = static_cast<double>(spam / state.iterations());
}

// One mark of a corpus message into a table full to kBayesMaxTableWords.
void BM_BayesMarkIntoFullTable(benchmark::State& state)
{
    const Corpus& c = corpus();
    std::vector<kestrin::BayesWordRecord> full = c.words;
    for (size_t i = 0; kestrin::bayesWordCount(full, kestrin::BayesList::Spam) < kestrin::kBayesMaxTableWords; ++i)
        full.push_back({"filler" + std::to_string(i), 1, 1, "2020-01-01 00:00:00"});
    kestrin::TDateTime now = c.lastMark;
    size_t next = 0;
    for (auto _ : state) {
        kestrin::bayesTrain(full, kestrin::BayesList::Spam, c.texts[next++ % c.texts.size()], now += 1.0 / 1440);
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()));
    state.counters["words"] = static_cast<double>(full.size());
}

} // namespace

BENCHMARK(BM_BayesVerdict)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BayesMarkIntoFullTable)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
