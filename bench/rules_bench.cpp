// Rule evaluations per second: 1000 rules spread over every field and
// condition, against one real corpus message.
#include "corpus_loader.h"
#include "engine/rule_evaluation.h"
#include "engine/rule_vocabulary.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <benchmark/benchmark.h>

namespace {

constexpr size_t kRuleCount = 1000;

// A mix of fields and their valid conditions, with values some of which occur in real mail.
std::vector<kestrin::RuleRecord> mixedRules()
{
    static const char* const words[] = {"the", "free", "money", "list", "click here", "unsubscribe", "linux", "re:"};
    std::vector<kestrin::RuleRecord> rules;
    for (size_t i = 0; i < kRuleCount; ++i) {
        kestrin::RuleRecord rule;
        rule.typ = static_cast<uint8_t>(i % kestrin::kRuleFieldCount);
        if (kestrin::isTextField(rule.typ)) {
            rule.sub = static_cast<uint8_t>(i / kestrin::kRuleFieldCount % kestrin::kConditionCodeCount);
            rule.str = words[i % std::size(words)];
        } else {
            rule.sub = static_cast<uint8_t>(i / kestrin::kRuleFieldCount % 2);
            rule.str = rule.typ == 5 ? "128" : rule.typ == 6 ? "normalny (3)" : rule.typ == 7 ? "iso-8859-1" : "1.0";
        }
        rules.push_back(rule);
    }
    return rules;
}

// The first corpus message that has a body and a From address: a typical message.
kestrin::TIdMessage sampleMessage(size_t& size)
{
    kestrin::TIdMessage message;
    for (const auto& text : kestrin::bench::loadCorpusMessages()) {
        kestrin::StringLineSource source(text);
        try {
            kestrin::readMessage(message, source);
        } catch (const kestrin::EIdException&) {
            continue;
        }
        if (!message.Body.empty() && !message.From.Address.empty()) {
            size = text.size();
            return message;
        }
    }
    return message;
}

void BM_EvaluateRules(benchmark::State& state)
{
    size_t size = 0;
    const kestrin::TIdMessage message = sampleMessage(size);
    const std::vector<kestrin::RuleRecord> rules = mixedRules();
    const kestrin::BodyCorrection correction{true, true, "!#$%^&*()"};
    size_t selected = 0;
    for (auto _ : state) {
        for (const auto& rule : rules)
            selected += kestrin::evaluateRule(rule, message, static_cast<int64_t>(size), true, correction) ==
                        kestrin::RuleOutcome::Selected;
    }
    benchmark::DoNotOptimize(selected);
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * rules.size()));
    state.counters["message_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_EvaluateRules)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
