// Writes the program folder that cycle_bench.sh checks with `kestrin-cli check`:
// one account on the benchmark's dovecot and the configuration of
// cycle_configuration.h (the Bayes filter on, in safe mode; it may delete a few
// messages, and cycle_bench.sh refills the mailbox for every run).
//   cycle_setup PROGRAM_FOLDER POP3_PORT [--without-classification]
#include "cycle_configuration.h"
#include "storage/atomic_file.h"
#include "storage/record_tables.h"
#include "storage/settings.h"

#include <cstdio>
#include <exception>
#include <string>

namespace {

using namespace kestrin::bench;

constexpr const char* kUnlimitedSize = "999999999999999999999999999999";

// The cycle without its classification work, to tell that work from the rest:
// one rule that selects nothing, no friends, no words, the filter off.
void writeBareConfiguration(const std::string& folder)
{
    kestrin::saveRules(folder, {rule(0, 3, 0, "kestrin-bench-nothing-matches-this", {false, false, false, false})});
    kestrin::Settings settings = kestrin::defaultSettings(folder, kestrin::localNow());
    settings.skipNetCheck = true;
    settings.bayesActive = false;
    kestrin::saveSettingsFile(folder, settings);
    std::printf("1 rule, no friends, no Bayes filter\n");
}

void writeConfiguration(const std::string& folder)
{
    const CycleConfiguration configuration = cycleConfiguration();
    kestrin::saveRules(folder, configuration.rules);
    kestrin::saveFriends(folder, configuration.friends);
    kestrin::saveBayesWords(folder, configuration.bayesWords);
    const auto& words = configuration.bayesWords;
    kestrin::Settings settings = kestrin::defaultSettings(folder, kestrin::localNow());
    settings.skipNetCheck = true;
    settings.bayesActive = true;
    settings.bayesSafeMode = true; // a cautious user's choice: few good messages lost
    settings.stats.bayList0 = static_cast<uint32_t>(configuration.bayesMarked.good);
    settings.stats.bayList1 = static_cast<uint32_t>(configuration.bayesMarked.spam);
    settings.stats.bayAll = settings.stats.bayList0 + settings.stats.bayList1;
    kestrin::saveSettingsFile(folder, settings);
    std::printf("%zu rules, %zu friends, %zu good and %zu spam words\n", kRules, kFriends,
                kestrin::bayesWordCount(words, BayesList::Good), kestrin::bayesWordCount(words, BayesList::Spam));
}

} // namespace

int main(int argc, char** argv)
{
    const bool bare = argc == 4 && std::string(argv[3]) == "--without-classification";
    if (argc != 3 && !bare) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER POP3_PORT [--without-classification]\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    try {
        kestrin::ensureFolder(folder);
        kestrin::AccountRecord account;
        account.name = "Bench";
        account.pop3 = "127.0.0.1";
        account.dopo = argv[2];
        account.user = "bench";
        account.pass = "secret";
        account.size = kUnlimitedSize; // every message whole, as the bare fetch loop reads it
        kestrin::saveAccounts(folder, {account});
        if (bare)
            writeBareConfiguration(folder);
        else
            writeConfiguration(folder);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cycle_setup: %s\n", e.what());
        return 1;
    }
    return 0;
}
