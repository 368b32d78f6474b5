// Writes a program folder holding the largest data set the program accepts:
// 100 accounts (all on closed loopback ports, so every connection is refused at
// once and the account is skipped), 1000 rules, 1000 friends, full Bayes word
// tables (32,000 words of the longest kept length per list) and 250 report lines. Used to time the start of the tray
// program.
#include "storage/record_tables.h"
#include "storage/report_entry.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "text/cp1250.h"
#include "text/date_text.h"
#include "text/date_time.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

using namespace kestrin;

std::vector<AccountRecord> accounts(int closedPort)
{
    std::vector<AccountRecord> list;
    for (int i = 0; i < 100; ++i) {
        AccountRecord account;
        account.name = "Konto " + std::to_string(i);
        account.pop3 = "127.0.0.1";
        account.dopo = std::to_string(closedPort);
        account.user = "user" + std::to_string(i);
        account.pass = "secret";
        list.push_back(account);
    }
    return list;
}

std::vector<RuleRecord> rules()
{
    std::vector<RuleRecord> list;
    for (int i = 0; i < 1000; ++i) {
        RuleRecord rule;
        rule.name = winLiteral("Reguła ") + std::to_string(i);
        rule.typ = static_cast<uint8_t>(i % 10);
        rule.sub = static_cast<uint8_t>(i % 4);
        rule.str = "tekst-" + std::to_string(i);
        rule.act = {i % 3 == 0, false, false, true};
        list.push_back(rule);
    }
    return list;
}

std::vector<FriendRecord> friends()
{
    std::vector<FriendRecord> list;
    for (int i = 0; i < 1000; ++i)
        list.push_back({"Przyjaciel " + std::to_string(i), "*@domena" + std::to_string(i) + ".example"});
    return list;
}

std::vector<BayesWordRecord> bayesWords(TDateTime now)
{
    std::vector<BayesWordRecord> list;
    constexpr int kTableWords = 32000; // the word filter's table size
    constexpr size_t kWordLength = 40; // its longest word
    for (int32_t kind = 0; kind < 2; ++kind)
        for (int i = 0; i < kTableWords; ++i) {
            std::string name = "slowo" + std::to_string(kind) + "x" + std::to_string(i);
            name.resize(kWordLength, 'x');
            list.push_back({name, kind, static_cast<uint32_t>(1 + i % 50), defaultDateTimeText(now)});
        }
    return list;
}

std::vector<std::string> report(TDateTime now)
{
    std::vector<std::string> lines;
    for (int i = 0; i < 250; ++i) {
        const std::string n = std::to_string(i);
        lines.push_back(buildReportEntry(
            "mail", joinMailFields({"<" + n + "@example.org>", "2026-12-08 / 10:00:00", i % 2 ? "d" : "", "-",
                                    "Konto 0", "Nadawca " + n, "nadawca" + n + "@example.org", "Temat " + n,
                                    mailSizeText(1000 + i), "0", "0", std::string(32, 'a')})));
    }
    lines.push_back(runEntry(now));
    return lines;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: large_folder DIR CLOSED_PORT\n";
        return 2;
    }
    const std::string folder = argv[1];
    const TDateTime now = localNow();
    std::filesystem::create_directories(folder + "/config");
    saveAccounts(folder, accounts(std::stoi(argv[2])));
    saveRules(folder, rules());
    saveFriends(folder, friends());
    saveBayesWords(folder, bayesWords(now));
    saveReportFile(reportFilePath(folder), report(now));
    Settings settings = defaultSettings(folder, now);
    settings.maxRep = 25; // keep all 250 lines
    settings.skipNetCheck = true;
    saveSettingsFile(folder, settings);
    return 0;
}
