// `kestrin-cli check` and `classify` end to end: a program folder with one
// account on a dovecot started by the test, forwards through aiosmtpd, and the
// Maildir, archive, report and counters looked at afterwards.
#include "cli_run.h"
#include "mail/message.h"
#include "peers/dovecot_peer.h"
#include "peers/smtp_peer.h"
#include "platform/single_instance.h"
#include "platform/system_internet_check.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "support/corpus_files.h"
#include "support/rule_records.h"
#include "text/cp1250.h"
#include "text/date_time.h"

#include <nlohmann/json.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

const std::string kSeparator = "|\xC2\xA6|"; // "|¦|" as printed in UTF-8

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

std::vector<std::string> fields(const std::string& entry)
{
    std::vector<std::string> result;
    std::string payload = entry.substr(entry.find('|') + 1);
    for (size_t at; (at = payload.find(kSeparator)) != std::string::npos; payload.erase(0, at + kSeparator.size()))
        result.push_back(payload.substr(0, at));
    result.push_back(payload);
    return result;
}

struct Mail {
    std::string bytes;
    bool deleted = false;
};

constexpr const char* kPromotion = "From: \"Sklep\" <promocje@sklep.example>\r\n"
                                   "To: alice@example.org\r\n"
                                   "Cc: szef@example.org\r\n"
                                   "Subject: Promocja tygodnia\r\n"
                                   "Date: Mon, 13 Jan 2025 08:00:00 +0100\r\n"
                                   "Message-ID: <promo-1@sklep.example>\r\n"
                                   "\r\n"
                                   "Tylko dzisiaj wszystko taniej.\r\n";
constexpr const char* kMeeting = "From: Jan <jan@example.org>\r\n"
                                 "To: alice@example.org\r\n"
                                 "Subject: Spotkanie w piatek\r\n"
                                 "Date: Mon, 13 Jan 2025 09:00:00 +0100\r\n"
                                 "Message-ID: <meeting-1@example.org>\r\n"
                                 "\r\n"
                                 "Do zobaczenia.\r\n";

class CheckCliTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        if (!SystemInternetCheck().connected())
            GTEST_SKIP() << "no network interface: the cycle would not contact the server";
        home = fs::temp_directory_path() / ("kestrin-check-cli-" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home);
        dovecot = std::make_unique<DovecotPeer>();
        smtp = std::make_unique<SmtpPeer>();
        deliverMessages();
        writeConfiguration();
    }
    void TearDown() override
    {
        if (!home.empty())
            fs::remove_all(home);
    }

    void deliver(const std::string& bytes, bool deleted)
    {
        dovecot->deliver("alice", bytes);
        mails.push_back({bytes, deleted});
    }

    void deliverMessages()
    {
        deliver(readFile(fs::path(KESTRIN_TEST_DATA) / "sample-pl.eml"), false);
        deliver(kPromotion, true);
        deliver(kMeeting, false);
        const fs::path corpus = KESTRIN_CORPUS_DIR;
        if (!fs::is_directory(corpus / "spam-1") || !fs::is_directory(corpus / "easy-ham-1"))
            return;
        for (const char* folder : {"easy-ham-1", "spam-1"}) {
            const std::vector<fs::path> files = test::corpusFiles(corpus / folder);
            for (size_t i = 0; i < 2 && i < files.size(); ++i) {
                deliver(readFile(files[i]), std::string(folder) == "spam-1");
                corpusMessages.push_back(files[i]);
            }
        }
    }

    void writeConfiguration()
    {
        AccountRecord account;
        account.name = "Skrzynka";
        account.pop3 = "127.0.0.1";
        account.dopo = std::to_string(dovecot->pop3Port());
        account.user = "alice";
        account.pass = "secret";
        saveAccounts(home.string(), {account});

        rules = {
            ruleRecord("Kopie PL", 1, 0, "example.pl", {true, true, false, false}, "archiwum@example.net"),
            ruleRecord("Promocje", 1, 0, "sklep.example", {false, true, false, true}, "kopia@example.net"),
            ruleRecord("Spotkania", 3, 0, "spotkanie", {false, false, false, true}), // a friend's: exempt
        };
        for (const auto& spam : corpusMessages) {
            if (spam.parent_path().filename() != "spam-1")
                continue;
            TIdMessage message;
            message.loadFromFile(spam.string());
            rules.push_back(ruleRecord("Spam " + std::to_string(rules.size() - 2), 1, 2, message.From.Address,
                                       {true, false, false, true}));
        }
        saveRules(home.string(), rules);
        saveFriends(home.string(), {{"Znajomi", "*@EXAMPLE.org"}});

        Settings settings = defaultSettings(home.string(), localNow());
        settings.smtpHost = "127.0.0.1";
        settings.smtpPort = std::to_string(smtp->port());
        settings.smtpMail = "kestrin@example.org";
        settings.skipNetCheck = true;
        saveSettingsFile(home.string(), settings);
    }

    CliResult check(const std::vector<std::string>& extra = {})
    {
        std::vector<std::string> args{"check", "--home", home.string()};
        args.insert(args.end(), extra.begin(), extra.end());
        return runCli(args);
    }

    StatsTotals stats() const { return loadSettingsFile(home.string(), localNow()).stats; }
    size_t deletedCount() const
    {
        return static_cast<size_t>(std::count_if(mails.begin(), mails.end(), [](const Mail& m) { return m.deleted; }));
    }
    std::vector<std::string> archiveFiles() const
    {
        std::vector<std::string> names;
        if (fs::is_directory(home / "archive"))
            for (const auto& entry : fs::directory_iterator(home / "archive"))
                names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path home;
    std::unique_ptr<DovecotPeer> dovecot;
    std::unique_ptr<SmtpPeer> smtp;
    std::vector<Mail> mails;
    std::vector<fs::path> corpusMessages;
    std::vector<RuleRecord> rules;
};

TEST_F(CheckCliTest, CycleDeletesArchivesForwardsAndReportsWhatTheRulesSay)
{
    const auto before = dovecot->messageNames("alice");
    ASSERT_EQ(before.size(), mails.size());

    const CliResult r = check();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("Czuwanie..."), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("100%"), std::string::npos) << r.err;

    // Exactly the selected messages are gone from the Maildir.
    std::vector<std::string> expectedLeft;
    for (size_t i = 0; i < mails.size(); ++i)
        if (!mails[i].deleted)
            expectedLeft.push_back(before[i]);
    EXPECT_EQ(dovecot->messageNames("alice"), expectedLeft) << dovecot->log();

    // One "mail" entry per message on stdout, in the order handled; the report file holds them newest first.
    const auto printed = lines(r.out);
    ASSERT_EQ(printed.size(), mails.size()) << r.out << r.err;
    std::map<std::string, std::vector<std::string>> byMessageId;
    for (const auto& entry : printed) {
        EXPECT_EQ(entry.rfind("mail|", 0), 0u) << entry;
        const auto f = fields(entry);
        ASSERT_EQ(f.size(), 12u) << entry;
        EXPECT_EQ(f[4], "Skrzynka");
        byMessageId[f[0]] = f;
    }
    const auto sample = byMessageId["<20250114093000.4711@poczta.example.pl>"];
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(sample[2], "as");
    EXPECT_EQ(sample[3], "-");
    EXPECT_EQ(sample[6], "pawel.kowalski@example.pl");
    const auto promotion = byMessageId["<promo-1@sklep.example>"];
    ASSERT_FALSE(promotion.empty());
    EXPECT_EQ(promotion[2], "sd");
    EXPECT_EQ(promotion[3], "Promocje");
    const auto meeting = byMessageId["<meeting-1@example.org>"];
    ASSERT_FALSE(meeting.empty());
    EXPECT_EQ(meeting[2], "") << "a friend's message is exempt from a rule without nofri";
    EXPECT_EQ(meeting[3], "-");

    const auto report = loadReportFile(reportFilePath(home.string()));
    ASSERT_GE(report.size(), printed.size() + 1);
    for (size_t i = 0; i < printed.size(); ++i)
        EXPECT_EQ(cp1250ToUtf8(report[i]), printed[printed.size() - 1 - i]);
    EXPECT_EQ(report[printed.size()].rfind("run|", 0), 0u);

    const StatsTotals totals = stats();
    EXPECT_EQ(totals.checkMsg, mails.size());
    EXPECT_EQ(totals.delMsg, deletedCount());
    EXPECT_EQ(totals.err, 0u);
    const auto storedRules = loadRules(home.string());
    ASSERT_EQ(storedRules.size(), rules.size());
    EXPECT_EQ(storedRules[0].stat, 0u) << "archive and forward do not count";
    EXPECT_EQ(storedRules[1].stat, 1u);
    EXPECT_EQ(storedRules[2].stat, 0u);
    for (size_t i = 3; i < storedRules.size(); ++i)
        EXPECT_EQ(storedRules[i].stat, 1u) << storedRules[i].name;

    // Archive: the sample first, then each spam message, as copies of what was fetched.
    const auto archived = archiveFiles();
    ASSERT_EQ(archived.size(), 1 + (rules.size() - 3));
    EXPECT_NE(readFile(home / "archive" / "message - 0.txt").find("<20250114093000.4711@poczta.example.pl>"),
              std::string::npos);
    for (size_t i = 3; i < rules.size(); ++i) {
        const std::string copy = readFile(home / "archive" / ("message - " + std::to_string(i - 2) + ".txt"));
        EXPECT_NE(copy.find(rules[i].str), std::string::npos) << "archive " << i - 2 << " is not " << rules[i].name;
    }

    // Forwards go to the rule's sendto only, never to the original Cc.
    const auto sent = smtp->messages();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].mailFrom, "kestrin@example.org");
    EXPECT_EQ(sent[0].rcptTos, std::vector<std::string>{"archiwum@example.net"});
    EXPECT_NE(sent[0].data.find("Subject: Fw: "), std::string::npos);
    EXPECT_EQ(sent[1].rcptTos, std::vector<std::string>{"kopia@example.net"});
    EXPECT_NE(sent[1].data.find("Promocja tygodnia"), std::string::npos);
    EXPECT_NE(sent[1].data.find("szef@example.org"), std::string::npos) << "the headers stay as loaded";

    EXPECT_FALSE(fs::exists(home / "~message.txt")) << "temporary files go at exit";
}

TEST_F(CheckCliTest, CyclesInOneProcessRememberWhatTheyHandled)
{
    ASSERT_EQ(check().status, 0);
    const size_t left = mails.size() - deletedCount();
    const size_t archivedBefore = archiveFiles().size();
    const auto filesBefore = dovecot->messageNames("alice");

    // A new process starts with empty memories: its first cycle handles the rest again, its second nothing.
    const CliResult r = check({"--cycles", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out).size(), left) << r.out;
    size_t idleStatuses = 0;
    for (size_t at = r.err.find("Czuwanie..."); at != std::string::npos; at = r.err.find("Czuwanie...", at + 1))
        ++idleStatuses;
    EXPECT_EQ(idleStatuses, 2u) << "two cycles ran";
    EXPECT_EQ(smtp->messages().size(), 3u) << "the sample is forwarded once more, not twice";
    EXPECT_EQ(archiveFiles().size(), archivedBefore + 1);
    EXPECT_EQ(dovecot->messageNames("alice"), filesBefore);
    EXPECT_EQ(stats().checkMsg, mails.size() + left);
    EXPECT_EQ(stats().delMsg, deletedCount());
}

// What a headless user does: a rule set up with `rules add` acts in the next check.
TEST_F(CheckCliTest, ARuleAddedFromTheCommandLineDeletesItsMessageInTheNextCycle)
{
    const auto spam = std::find_if(corpusMessages.begin(), corpusMessages.end(),
                                   [](const fs::path& file) { return file.parent_path().filename() == "spam-1"; });
    if (spam == corpusMessages.end())
        GTEST_SKIP() << "the mail corpus is not cached in " << KESTRIN_CORPUS_DIR;
    TIdMessage message;
    message.loadFromFile(spam->string());
    saveRules(home.string(), {});
    const CliResult added = runCli({"rules", "add", "--home", home.string(), "--name", "Spam z korpusu", "--typ", "1",
                                    "--sub", "2", "--value", message.From.Address, "--delete", "--yes"});
    ASSERT_EQ(added.status, 0) << added.err;
    const size_t before = dovecot->messageNames("alice").size();

    const CliResult r = check();
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dovecot->messageNames("alice").size(), before - 1);
    EXPECT_EQ(stats().delMsg, 1u);
    ASSERT_EQ(loadRules(home.string()).size(), 1u);
    EXPECT_EQ(loadRules(home.string())[0].stat, 1u) << "the hit lands on the rule and is saved";
}

// A new headless user: the account (over TLS) and a friend set up with
// kestrin-cli; the friend's message survives the rule that would delete it.
TEST_F(CheckCliTest, AnAccountAndAFriendAddedFromTheCommandLineServeTheNextCycle)
{
    const auto spam = std::find_if(corpusMessages.begin(), corpusMessages.end(),
                                   [](const fs::path& file) { return file.parent_path().filename() == "spam-1"; });
    if (spam == corpusMessages.end())
        GTEST_SKIP() << "the mail corpus is not cached in " << KESTRIN_CORPUS_DIR;
    Settings settings = loadSettingsFile(home.string(), localNow());
    settings.caFile = dovecot->caFile();
    saveSettingsFile(home.string(), settings);
    ASSERT_EQ(runCli({"accounts", "delete", "0", "--yes", "--home", home.string()}).status, 0);
    std::ofstream(home / "password") << "secret\n";
    const CliResult added = runCliWithInput({"accounts", "add", "--home", home.string(), "--name", "Skrzynka TLS",
                                             "--pop3", "127.0.0.1", "--security", "tls", "--pop3-port",
                                             std::to_string(dovecot->pop3sPort()), "--smtp", "127.0.0.1", "--smtp-port",
                                             std::to_string(smtp->port()), "--user", "alice", "--password-stdin"},
                                            (home / "password").string());
    ASSERT_EQ(added.status, 0) << added.err;
    const CliResult tested = runCli({"accounts", "test", "0", "--home", home.string()});
    EXPECT_EQ(tested.status, 0) << tested.out << tested.err;
    EXPECT_NE(tested.out.find("Zalogowano do serwera POP3 127.0.0.1."), std::string::npos) << tested.out;

    TIdMessage message;
    message.loadFromFile(spam->string());
    const CliResult befriended =
        runCli({"friends", "add", "--home", home.string(), "--name", "Nadawca", "--mail", message.From.Address});
    ASSERT_EQ(befriended.status, 0) << befriended.err;
    const std::vector<std::string> before = dovecot->messageNames("alice");
    const size_t friendMail = static_cast<size_t>(
        std::find_if(mails.begin(), mails.end(), [&](const Mail& m) { return m.bytes == readFile(*spam); }) -
        mails.begin());

    const CliResult r = check();
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> after = dovecot->messageNames("alice");
    EXPECT_EQ(after.size(), before.size() - (deletedCount() - 1));
    EXPECT_NE(std::find(after.begin(), after.end(), before.at(friendMail)), after.end())
        << "the friend's message stays";
}

TEST_F(CheckCliTest, ReadOnlyConfigFolderKeepsTheCycleAwayFromTheServer)
{
    // Immutable stops root too (CI runs as root); the permission bits stop anyone else.
    const std::string config = (home / "config").string();
    const bool root = ::geteuid() == 0;
    const bool locked = root ? std::system(("chattr +i '" + config + "' 2>/dev/null").c_str()) == 0
                             : ::chmod(config.c_str(), 0500) == 0;
    if (!locked)
        GTEST_SKIP() << "no way to make a folder read-only here";
    const CliResult r = check();
    if (root)
        std::system(("chattr -i '" + config + "'").c_str());
    ::chmod(config.c_str(), 0700);
    EXPECT_NE(r.err.find("Nie można zapisać plików w folderze programu (" + config + ")!"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("Łączenie z"), std::string::npos) << r.err;
    EXPECT_EQ(dovecot->messageFiles("alice").size(), mails.size()) << "nothing deleted";
    EXPECT_EQ(archiveFiles().size(), 0u);
}

// The window runs on another program folder: it still reads the same mailboxes.
TEST_F(CheckCliTest, RefusesWhileAnotherKestrinRunsForTheUser)
{
    SingleInstanceLock window(singleInstanceLockFolder());
    ASSERT_TRUE(window.tryLock());
    const CliResult refused = check();
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("Nie można uruchomić na raz dwóch kopii tego programu!"), std::string::npos);
    EXPECT_TRUE(refused.out.empty());
    EXPECT_EQ(dovecot->messageFiles("alice").size(), mails.size());
    EXPECT_FALSE(fs::exists(reportFilePath(home.string())));
    EXPECT_EQ(stats().checkMsg, 0u);

    window.unlock();
    EXPECT_EQ(check().status, 0);
    EXPECT_TRUE(fs::exists(reportFilePath(home.string())));
}

TEST_F(CheckCliTest, ClassifyAgreesWithTheCycle)
{
    // Judged before the cycle, which changes nothing the judgement reads.
    std::vector<nlohmann::json> verdicts;
    for (size_t i = 0; i < mails.size(); ++i) {
        const fs::path file = home / ("message-" + std::to_string(i) + ".eml");
        std::ofstream(file, std::ios::binary) << mails[i].bytes;
        const CliResult r = runCli({"classify", "--home", home.string(), file.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        verdicts.push_back(nlohmann::json::parse(r.out));
    }
    EXPECT_FALSE(fs::exists(reportFilePath(home.string()))) << "a dry run writes nothing";
    EXPECT_TRUE(smtp->messages().empty());

    const CliResult r = check();
    ASSERT_EQ(r.status, 0) << r.err;
    const auto printed = lines(r.out);
    ASSERT_EQ(printed.size(), mails.size());
    for (size_t i = 0; i < mails.size(); ++i) {
        const auto& verdict = verdicts[i];
        const auto entry = fields(printed[i]);
        EXPECT_EQ(verdict["report_cause"], entry[3]) << printed[i];
        EXPECT_EQ(!verdict["actions"]["delete"].is_null(), mails[i].deleted) << verdict.dump();
        EXPECT_EQ(!verdict["actions"]["archive"].is_null(), entry[2].find('a') != std::string::npos);
        EXPECT_EQ(!verdict["actions"]["forward"].is_null(), entry[2].find('s') != std::string::npos);
        EXPECT_EQ(verdict["rules"].size(), rules.size());
    }
    const auto& meeting = verdicts[2];
    EXPECT_EQ(meeting["friend"], true);
    EXPECT_EQ(meeting["rules"][2]["selected"], false);
    EXPECT_EQ(meeting["rules"][2]["outcome"], "friend exempt");
    EXPECT_EQ(verdicts[0]["actions"]["archive"], "Kopie PL");
    EXPECT_EQ(verdicts[1]["actions"]["delete"], "Promocje");
    EXPECT_EQ(verdicts[1]["bayes"]["asked"], false) << "no words: the filter is not asked";

    // Header only: nothing to archive or forward, the deletion stays.
    const CliResult headerOnly =
        runCli({"classify", "--home", home.string(), "--header-only", (home / "message-1.eml").string()});
    ASSERT_EQ(headerOnly.status, 0) << headerOnly.err;
    const auto judged = nlohmann::json::parse(headerOnly.out);
    EXPECT_TRUE(judged["actions"]["forward"].is_null());
    EXPECT_EQ(judged["actions"]["delete"], "Promocje");
}

} // namespace
} // namespace kestrin::test
