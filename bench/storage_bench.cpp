// Start-up and exit cost of the stored files: the load-all and save-all
// sequences over the largest legal data set (100 accounts, 1000 rules, 1000
// friends, 800 Bayes words, 250 report lines, a full options.ini), fsyncs included.
#include "storage/program_data.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace kestrin;

std::string text(const char* prefix, size_t i)
{
    return prefix + std::to_string(i);
}

ProgramData largestDataSet(const std::string& folder)
{
    ProgramData data;
    loadAll(folder, data, 46000.5);
    for (size_t i = 0; i < 100; ++i)
        data.accounts.push_back({text("Konto ", i), text("pop3.example", i), "smtp.example.pl", "995", "465",
                                 text("user", i), "haslo", "50", false, 0});
    for (size_t i = 0; i < 1000; ++i) {
        RuleRecord rule;
        rule.name = text("Regu\xB3\x61 ", i);
        rule.str = text("tani kredyt ", i);
        rule.sendto = "archiwum@example.pl";
        rule.restr = "Prosz\xEA nie pisa\xE6.";
        data.rules.push_back(rule);
    }
    for (size_t i = 0; i < 1000; ++i)
        data.friends.push_back({text("Przyjaciel ", i), text("osoba", i) + "@example.pl"});
    for (size_t i = 0; i < 800; ++i)
        data.bayesWords.push_back(
            {text("slowo", i), static_cast<int32_t>(i % 2), static_cast<uint32_t>(i), "2026-12-08 16:30:00"});
    data.report.clear();
    for (size_t i = 0; i < 250; ++i)
        data.report.push_back(
            text("mail|<id", i) +
            "@example.pl>|\xA6|2026-12-08 / 16:30:00|\xA6|ad|\xA6|spam|\xA6|Konto|\xA6|Nadawca|\xA6|"
            "nadawca@example.pl|\xA6|Temat wiadomo\x9C\x63i|\xA6|12 kb|\xA6|kredyt tani dom|\xA6|0|\xA6|0");
    return data;
}

class StorageFixture : public benchmark::Fixture {
public:
    void SetUp(const benchmark::State&) override
    {
        folder = (std::filesystem::temp_directory_path() / ("kestrin-bench-" + std::to_string(::getpid()))).string();
        std::filesystem::remove_all(folder);
        data = largestDataSet(folder);
        saveAll(folder, data);
    }
    void TearDown(const benchmark::State&) override { std::filesystem::remove_all(folder); }
    std::string folder;
    ProgramData data;
};

BENCHMARK_DEFINE_F(StorageFixture, LoadAll)(benchmark::State& state)
{
    for (auto _ : state) {
        ProgramData loaded;
        loadAll(folder, loaded, 46000.5);
        benchmark::DoNotOptimize(loaded.rules.data());
    }
}

BENCHMARK_DEFINE_F(StorageFixture, SaveAll)(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(saveAll(folder, data).ok);
}

BENCHMARK_REGISTER_F(StorageFixture, LoadAll)->Unit(benchmark::kMillisecond);
BENCHMARK_REGISTER_F(StorageFixture, SaveAll)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
