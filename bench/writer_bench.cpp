// Messages written and read back per second over the real corpus, in memory:
// header generation, MIME rebuild and re-encoding, dot-stuffing, then the
// reader on the result (what save to file and load from file do, less the disk).
#include "corpus_loader.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/message_writer.h"
#include "mail/string_line_source.h"

#include <benchmark/benchmark.h>

namespace {

std::vector<kestrin::TIdMessage> parsedCorpus()
{
    std::vector<kestrin::TIdMessage> parsed;
    for (const auto& text : kestrin::bench::loadCorpusMessages()) {
        kestrin::TIdMessage message;
        kestrin::StringLineSource source(text);
        try {
            kestrin::readMessage(message, source);
        } catch (const kestrin::EIdException&) {
            continue;
        }
        parsed.push_back(std::move(message));
    }
    return parsed;
}

std::string fileForm(const kestrin::TIdMessage& message)
{
    std::string text;
    for (const auto& line : kestrin::dotStuff(kestrin::messageLines(message, kestrin::HeaderPurpose::File))) {
        text += line;
        text += "\r\n";
    }
    return text + ".\r\n";
}

void BM_WriteAndReadCorpus(benchmark::State& state)
{
    static const std::vector<kestrin::TIdMessage> messages = parsedCorpus();
    if (messages.empty()) {
        state.SkipWithError("corpus not found: run scripts/fetch-corpus.sh");
        return;
    }
    kestrin::TIdMessage loaded;
    for (auto _ : state) {
        for (const auto& message : messages) {
            kestrin::StringLineSource source(fileForm(message));
            kestrin::readMessage(loaded, source);
            benchmark::DoNotOptimize(loaded.Subject.data());
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * messages.size()));
    state.counters["messages"] = static_cast<double>(messages.size());
}
BENCHMARK(BM_WriteAndReadCorpus)->Unit(benchmark::kMillisecond);

void BM_WriteCorpus(benchmark::State& state)
{
    static const std::vector<kestrin::TIdMessage> messages = parsedCorpus();
    if (messages.empty()) {
        state.SkipWithError("corpus not found: run scripts/fetch-corpus.sh");
        return;
    }
    for (auto _ : state) {
        for (const auto& message : messages)
            benchmark::DoNotOptimize(fileForm(message).size());
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * messages.size()));
}
BENCHMARK(BM_WriteCorpus)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
