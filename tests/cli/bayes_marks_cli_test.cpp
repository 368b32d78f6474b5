// End to end, the way a user teaches the word filter: a first check cycle over
// corpus mail on a dovecot, every report line marked good or spam with
// `kestrin-cli report mark`, then a second cycle over mail the filter has not
// seen, which deletes spam as "(Filtr Bayesa)" and keeps every good message.
#include "cli_run.h"
#include "mail/message.h"
#include "peers/dovecot_peer.h"
#include "platform/system_internet_check.h"
#include "storage/record_tables.h"
#include "storage/report_entry.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "support/corpus_files.h"
#include "text/cp1250.h"
#include "text/date_time.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

constexpr size_t kMarkedOfEachKind = 40;
constexpr size_t kUnseenOfEachKind = 25;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string messageId(const fs::path& file)
{
    TIdMessage message;
    message.loadFromFile(file.string());
    return message.messageId;
}

// The folder's messages that a report line can be traced back to: a
// Message-ID of their own.
std::vector<fs::path> identifiable(const fs::path& folder, std::map<std::string, int>& seen)
{
    std::vector<fs::path> files;
    for (const fs::path& file : corpusFiles(folder)) {
        const std::string id = messageId(file);
        if (!id.empty() && id.find('|') == std::string::npos && ++seen[id] == 1)
            files.push_back(file);
    }
    return files;
}

class BayesMarksCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        if (!SystemInternetCheck().connected())
            GTEST_SKIP() << "no network interface: the cycle would not contact the server";
        std::map<std::string, int> seen;
        ham = identifiable(fs::path(KESTRIN_CORPUS_DIR) / "easy-ham-1", seen);
        spam = identifiable(fs::path(KESTRIN_CORPUS_DIR) / "spam-1", seen);
        if (ham.size() < kMarkedOfEachKind + kUnseenOfEachKind || spam.size() < kMarkedOfEachKind + kUnseenOfEachKind)
            GTEST_SKIP() << "the mail corpus is not cached in " << KESTRIN_CORPUS_DIR;
        home = fs::temp_directory_path() / ("kestrin-bayes-cli-" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home);
        dovecot = std::make_unique<DovecotPeer>();
        AccountRecord account;
        account.name = "Skrzynka";
        account.pop3 = "127.0.0.1";
        account.dopo = std::to_string(dovecot->pop3Port());
        account.user = "alice";
        account.pass = "secret";
        saveAccounts(home.string(), {account});
        Settings settings = defaultSettings(home.string(), localNow());
        settings.skipNetCheck = true;
        saveSettingsFile(home.string(), settings);
    }
    void TearDown() override
    {
        if (!home.empty())
            fs::remove_all(home);
    }
    // Delivers corpus files [from, to) of both kinds; remembers which Message-ID is spam.
    void deliver(size_t from, size_t to)
    {
        for (size_t i = from; i < to; ++i) {
            dovecot->deliver("alice", readFile(ham[i]));
            dovecot->deliver("alice", readFile(spam[i]));
            isSpam[messageId(ham[i])] = false;
            isSpam[messageId(spam[i])] = true;
        }
    }
    std::vector<std::string> report() const { return loadReportFile(reportFilePath(home.string())); }
    static std::vector<std::string> fields(const std::string& line)
    {
        return splitMailFields(splitReportEntry(line).payload);
    }

    fs::path home;
    std::unique_ptr<DovecotPeer> dovecot;
    std::vector<fs::path> ham;
    std::vector<fs::path> spam;
    std::map<std::string, bool> isSpam;
};

TEST_F(BayesMarksCliTest, MarkedMailTeachesTheFilterToDeleteUnseenSpamAndKeepGoodMail)
{
    deliver(0, kMarkedOfEachKind);
    CliResult r = runCli({"check", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> first = report();
    size_t marked = 0;
    for (size_t line = 0; line < first.size(); ++line) {
        const std::vector<std::string> f = fields(first[line]);
        if (splitReportEntry(first[line]).kind != "mail" || !isSpam.count(f[0]))
            continue;
        EXPECT_EQ(f[2], "") << "nothing deletes before the filter has learnt: " << first[line];
        r = runCli(
            {"report", "mark", std::to_string(line), isSpam[f[0]] ? "--spam" : "--good", "--home", home.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        ++marked;
    }
    ASSERT_EQ(marked, 2 * kMarkedOfEachKind);
    EXPECT_EQ(loadSettingsFile(home.string(), localNow()).stats.bayAll, 2 * kMarkedOfEachKind);

    const std::map<std::string, bool> markedIds = isSpam;
    deliver(kMarkedOfEachKind, kMarkedOfEachKind + kUnseenOfEachKind);
    std::set<std::string> unseen;
    for (const auto& [id, kind] : isSpam)
        if (!markedIds.count(id))
            unseen.insert(id);
    r = runCli({"check", "--home", home.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> second = report();
    size_t spamDeleted = 0;
    size_t checked = 0;
    for (size_t line = 0; line < second.size() - first.size(); ++line) {
        if (splitReportEntry(second[line]).kind != "mail")
            continue; // the cycle's start line
        const std::vector<std::string> f = fields(second[line]);
        // A new process has no memory of the first cycle: the marked mail is checked again.
        checked += unseen.count(f[0]);
        ASSERT_TRUE(isSpam.count(f[0])) << second[line];
        const bool deleted = f[2].find('d') != std::string::npos;
        if (!isSpam[f[0]]) {
            EXPECT_FALSE(deleted) << "good mail deleted: " << cp1250ToUtf8(second[line]);
            continue;
        }
        if (deleted) {
            EXPECT_EQ(f[3], winLiteral("(Filtr Bayesa)"));
            ++spamDeleted;
        }
    }
    EXPECT_EQ(checked, 2 * kUnseenOfEachKind);
    // Marks from the command line train on each entry's top words and subject
    // only (the whole message is known to the running program alone), so the
    // filter is cautious: it must act, and it must spare every good message.
    EXPECT_GE(spamDeleted, 1u) << "the filter acts on spam";
    EXPECT_EQ(loadSettingsFile(home.string(), localNow()).stats.bayDel, spamDeleted);
    EXPECT_EQ(dovecot->messageNames("alice").size(), 2 * (kMarkedOfEachKind + kUnseenOfEachKind) - spamDeleted);
}

} // namespace
} // namespace kestrin::test
