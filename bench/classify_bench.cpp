// Classification alone, as the check cycle does it for each message: friends,
// the Bayes filter, then every rule, over the 2000 messages of the cycle
// benchmark's mailbox with its 1000 rules, 1000 friends and 800 Bayes words.
#include "cycle_configuration.h"
#include "engine/message_classification.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ClassifyMailbox(benchmark::State& state)
{
    const kestrin::bench::CycleConfiguration configuration = kestrin::bench::cycleConfiguration();
    kestrin::CycleSnapshot snapshot;
    snapshot.rules = configuration.rules;
    snapshot.friends = configuration.friends;
    snapshot.bayesWords = configuration.bayesWords;
    snapshot.settings.bayesSafeMode = true;
    size_t selected = 0;
    for (auto _ : state) {
        // One classifier per check cycle, built from the snapshot of the words.
        const kestrin::BayesClassifier bayes(snapshot.bayesWords, configuration.bayesMarked);
        for (const kestrin::TIdMessage& message : configuration.mailbox) {
            const auto result = kestrin::classifyMessage(snapshot, &bayes, message, 5000, true);
            for (const auto& cause : result.causes)
                selected += cause.outcome == kestrin::CauseOutcome::Selected;
        }
    }
    benchmark::DoNotOptimize(selected);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * configuration.mailbox.size()));
    state.counters["selected_per_pass"] = static_cast<double>(selected / state.iterations());
}
BENCHMARK(BM_ClassifyMailbox)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
