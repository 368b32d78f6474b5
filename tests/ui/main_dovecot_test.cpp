// End to end: the program started on a temporary program folder against a
// dovecot holding real corpus messages, with one deleting rule; then quit
// during a second cycle that a stalling server slows down.
#include "main_test_support.h"

#include "mail/message.h"
#include "peers/dovecot_peer.h"
#include "peers/scripted_server.h"
#include "storage/record_tables.h"
#include "storage/report_file.h"
#include "storage/settings.h"
#include "support/corpus_files.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"
#include "text/date_time.h"
#include "ui/common/tray_icon_files.h"
#include "ui/pages/report_page.h"

#include <QAction>
#include <QLabel>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string senderAddress(const fs::path& file)
{
    TIdMessage message;
    message.loadFromFile(file.string());
    return message.From.Address;
}

class MainDovecotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        if (!networkPresent())
            GTEST_SKIP() << "no network interface: the cycle would not contact the server";
        const fs::path corpus = KESTRIN_CORPUS_DIR;
        for (const char* folderName : {"easy-ham-1", "spam-1"}) {
            const std::vector<fs::path> files = corpusFiles(corpus / folderName);
            for (size_t i = 0; i < 3 && i < files.size(); ++i)
                messages.push_back(files[i]);
        }
        if (messages.size() < 6)
            GTEST_SKIP() << "the mail corpus is not cached (scripts/fetch-corpus.sh)";
        dovecot = std::make_unique<DovecotPeer>();
        for (const fs::path& message : messages)
            dovecot->deliver("alice", readFile(message));
        // One deleting rule: the sender of the first spam message.
        spamSender = senderAddress(messages[3]);
        for (const fs::path& message : messages)
            if (equalsIgnoreCase(senderAddress(message), spamSender))
                ++expectedDeleted;
        writeConfiguration();
    }

    void writeConfiguration()
    {
        Settings settings = defaultSettings(folder.path(), localNow());
        settings.skipNetCheck = true;
        settings.newMailTrayIcon = 11;
        saveSettingsFile(folder.path(), settings);
        AccountRecord account = loopbackAccount(dovecot->pop3Port());
        account.name = "Dovecot";
        saveAccounts(folder.path(), {account});
        RuleRecord rule;
        rule.name = "Nadawca spamu";
        rule.typ = 1; // sender
        rule.sub = 2; // equals
        rule.str = spamSender;
        rule.act = {true, false, false, true}; // archive and delete
        saveRules(folder.path(), {rule});
    }

    ProgramFolder folder;
    std::vector<fs::path> messages;
    std::unique_ptr<DovecotPeer> dovecot;
    std::string spamSender;
    uint32_t expectedDeleted = 0;
};

TEST_F(MainDovecotTest, FirstCycleFiltersTheMailboxThenQuitDuringAStalledCycleDeletesNothing)
{
    ProgramHarness harness(folder.path());
    ASSERT_TRUE(harness.program->start());
    ui::Tmain& form = harness.form();
    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }, 30000)) << dovecot->log();

    const auto checked = static_cast<uint32_t>(messages.size());
    ASSERT_GE(expectedDeleted, 1u);
    EXPECT_EQ(form.session().data().counters.run.checked, checked);
    EXPECT_EQ(form.session().data().counters.run.deleted, expectedDeleted);
    EXPECT_EQ(form.session().data().counters.totals.checkMsg, checked);
    EXPECT_EQ(dovecot->messageFiles("alice").size(), messages.size() - expectedDeleted);
    EXPECT_EQ(form.findChild<QSystemTrayIcon*>(QStringLiteral("tray"))->toolTip(),
              QStringLiteral("Kestrin sweeper - aktualna statystyka:\r\rSprawdzonych wiadomości: %1\r"
                             "Zaakceptowanych wiadomości: %2\rUsuniętych wiadomości: %3")
                  .arg(checked)
                  .arg(checked - expectedDeleted)
                  .arg(expectedDeleted));
    // Messages stayed on the server: the new-mail icon.
    EXPECT_EQ(form.session().state().newMailCount, checked - expectedDeleted);
    EXPECT_EQ(form.trayIconFile(), ui::trayIconPath(folder.path(), 11));

    // The report: the start entry below one entry per message, newest first.
    const std::vector<std::string>& report = form.session().data().report;
    ASSERT_EQ(report.size(), messages.size() + 1);
    EXPECT_EQ(report.back().rfind("run|", 0), 0u);
    uint32_t deletedEntries = 0;
    for (size_t i = 0; i + 1 < report.size(); ++i) {
        const std::vector<std::string> fields = reportFields(report[i]);
        ASSERT_EQ(fields.size(), 13u) << report[i];
        EXPECT_EQ(fields[0], "mail");
        EXPECT_EQ(fields[5], "Dovecot");
        const bool deleted = equalsIgnoreCase(fields[7], spamSender);
        EXPECT_EQ(fields[3], deleted ? "ad" : "") << report[i];
        EXPECT_EQ(fields[4], deleted ? "Nadawca spamu" : "-") << report[i];
        deletedEntries += deleted ? 1 : 0;
    }
    EXPECT_EQ(deletedEntries, expectedDeleted);
    EXPECT_EQ(loadReportFile(reportFilePath(folder.path())), report);
    EXPECT_EQ(form.session().state().newEntryCount, static_cast<int>(messages.size()));
    EXPECT_TRUE(harness.prompter.shown.empty());

    // A second cycle: a server that keeps the cycle waiting comes first, the
    // dovecot account with a new message of the spam sender second.
    dovecot->deliver("alice",
                     "From: " + spamSender + "\r\nSubject: Jeszcze raz\r\nMessage-ID: <again@spam>\r\n\r\nx\r\n");
    std::vector<std::string> script = pop3Login();
    for (const char* row : {"C: STAT", "WAIT 4000", "S: +OK 0 0", "C: QUIT", "S: +OK bye"})
        script.emplace_back(row);
    ScriptedServer stalling(script);
    AccountRecord slow = loopbackAccount(stalling.port());
    slow.name = "Powolny";
    form.session().data().accounts.insert(form.session().data().accounts.begin(), slow);
    form.findChild<QAction*>(QStringLiteral("tool_checknow"))->trigger();
    ASSERT_TRUE(waitUntil([&form] { return statusPanel(form, 0).startsWith(QStringLiteral("Sprawdzanie")); }));
    runEventsFor(200);

    const auto start = std::chrono::steady_clock::now();
    form.findChild<QAction*>(QStringLiteral("pop_zakoncz"))->trigger();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_EQ(harness.quitRequests, 1);
    // Every file saved, the counters with the settings.
    for (const char* file : {"config/options.ini", "config/acc_database2.dat", "config/regs_database2.dat",
                             "config/fri_database2.dat", "config/bay_database2.dat", "config/report.dat"})
        EXPECT_TRUE(fs::exists(folder.file(file))) << file;
    EXPECT_EQ(loadSettingsFile(folder.path(), localNow()).stats.checkMsg, checked);
    EXPECT_EQ(loadAccounts(folder.path()).size(), 2u);
    EXPECT_EQ(loadRules(folder.path())[0].stat, expectedDeleted);
    // Nothing deleted: the new message is still there, and the stalled server saw no QUIT.
    EXPECT_EQ(dovecot->messageFiles("alice").size(), messages.size() - expectedDeleted + 1);
    stalling.finish();
    EXPECT_EQ(std::find(stalling.received().begin(), stalling.received().end(), "QUIT"), stalling.received().end());
}

// A deletion mark made on the report page reaches the next cycle: the
// message goes, archived, with the user as the cause, though its sender is a friend.
TEST_F(MainDovecotTest, AMessageMarkedForDeletionOnTheReportGoesInTheNextCycleEvenFromAFriend)
{
    const std::string friendSender = senderAddress(messages[0]);
    saveFriends(folder.path(), {{"Przyjaciel", friendSender}});
    ProgramHarness harness(folder.path());
    ASSERT_TRUE(harness.program->start());
    ui::Tmain& form = harness.form();
    ASSERT_TRUE(waitUntil([&form] { return !form.session().state().cycleRunning; }, 30000)) << dovecot->log();
    const std::vector<std::string>& report = form.session().data().report;
    const auto marked = std::find_if(report.begin(), report.end(), [&](const std::string& line) {
        const std::vector<std::string> fields = reportFields(line);
        return fields.size() == 13 && equalsIgnoreCase(fields[7], friendSender) && fields[3].empty();
    });
    ASSERT_NE(marked, report.end());
    const std::string markedId = reportFields(*marked)[1];
    auto* page = form.findChild<ui::ReportPage*>();
    page->selectLine(static_cast<int>(marked - report.begin()));
    form.findChild<QAction*>(QStringLiteral("report_todel"))->trigger();
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("stat_todel"))->text(), QStringLiteral("1"));
    const size_t onServer = dovecot->messageFiles("alice").size();
    const size_t lines = report.size();

    form.findChild<QAction*>(QStringLiteral("tool_checknow"))->trigger();
    ASSERT_TRUE(waitUntil([&] { return report.size() > lines && !form.session().state().cycleRunning; }, 30000))
        << dovecot->log();
    EXPECT_EQ(dovecot->messageFiles("alice").size(), onServer - 1);
    const std::vector<std::string> newest = reportFields(form.session().data().report.front());
    ASSERT_EQ(newest.size(), 13u);
    EXPECT_EQ(newest[1], markedId);
    EXPECT_EQ(newest[3], "ad");
    EXPECT_EQ(newest[4], winLiteral("(Użytkownik)"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("stat_todel"))->text(), QStringLiteral("0"));
}

} // namespace
} // namespace kestrin::test
