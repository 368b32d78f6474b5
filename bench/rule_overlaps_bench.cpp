// The similar-rule search over the largest rule list: 1000 rules on every
// field and condition, with values drawn from spam words so that some rules
// cover others and most pairs share a field.
#include "engine/rule_overlaps.h"
#include "engine/rule_vocabulary.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr size_t kRuleCount = 1000;

std::string textValue(size_t i)
{
    static const char* const words[] = {"viagra",  "free money",    "Click Here",        "unsubscribe now",
                                        "kredyt",  "tanie kredyty", "win a prize",       "@spam.example",
                                        ".pl",     "offer",         "cheap offer today", "newsletter",
                                        "re: re:", "lottery winner"};
    std::string value = words[i % std::size(words)];
    if (i % 3 == 0)
        value += " " + std::to_string(i); // unique, so covered by its shorter kin
    return value;
}

std::vector<kestrin::RuleRecord> realisticRules()
{
    static const uint8_t textFields[] = {0, 1, 1, 3, 3, 3, 4, 4, 8};
    static const char* const sizes[] = {"128", "256", "512", "1024", "2048", "4096", "8192"};
    std::vector<kestrin::RuleRecord> rules(kRuleCount);
    for (size_t i = 0; i < kRuleCount; ++i) {
        kestrin::RuleRecord& rule = rules[i];
        rule.name = "regula " + std::to_string(i);
        if (i % 10 == 9) {
            rule.typ = static_cast<uint8_t>(5 + i / 10 % 5);
            rule.sub = rule.typ == 5 ? 0 : static_cast<uint8_t>(i / 50 % 2);
            rule.str = rule.typ == 5 ? sizes[i / 10 % std::size(sizes)] : "1.0";
            continue;
        }
        rule.typ = textFields[i % std::size(textFields)];
        rule.sub = static_cast<uint8_t>(i / 7 % kestrin::kConditionCodeCount);
        rule.str = textValue(i);
    }
    return rules;
}

void BM_FindOverlappingRules(benchmark::State& state)
{
    const std::vector<kestrin::RuleRecord> rules = realisticRules();
    size_t listed = 0;
    for (auto _ : state)
        listed = kestrin::findOverlappingRules(rules).size();
    state.counters["rules"] = static_cast<double>(rules.size());
    state.counters["listed"] = static_cast<double>(listed);
}
BENCHMARK(BM_FindOverlappingRules)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
