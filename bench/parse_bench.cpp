// Messages parsed per second over the real corpus, from memory: header
// processing, body and MIME decoding, as a whole RETR answer is read.
#include "corpus_loader.h"
#include "engine/message_text.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ParseCorpus(benchmark::State& state)
{
    static const std::vector<std::string> messages = kestrin::bench::loadCorpusMessages();
    if (messages.empty()) {
        state.SkipWithError("corpus not found: run scripts/fetch-corpus.sh");
        return;
    }
    size_t bytes = 0;
    for (const auto& m : messages)
        bytes += m.size();
    kestrin::TIdMessage message;
    for (auto _ : state) {
        for (const auto& text : messages) {
            kestrin::StringLineSource source(text);
            try {
                kestrin::readMessage(message, source);
            } catch (const kestrin::EIdException&) {
                // Failures are part of real mail; they are counted like the others.
            }
            benchmark::DoNotOptimize(message.Subject.data());
            benchmark::DoNotOptimize(kestrin::messageText(message, " "));
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * messages.size()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["messages"] = static_cast<double>(messages.size());
}
BENCHMARK(BM_ParseCorpus)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
