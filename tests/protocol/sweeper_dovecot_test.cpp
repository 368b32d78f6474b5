// The check cycle end to end against a dovecot started by the test, holding
// messages of the real mail corpus: the checked-message memory across cycles,
// an unreachable account beside a working one, a connection killed after a
// DELE, and answers arriving at aiosmtpd.
#include "mail/message_reader.h"
#include "mail/string_line_source.h"
#include "peers/cutting_relay.h"
#include "peers/dovecot_peer.h"
#include "peers/loopback_port.h"
#include "peers/smtp_peer.h"
#include "protocol/sweeper_test_support.h"
#include "storage/atomic_file.h"
#include "support/corpus_files.h"
#include "text/ascii_case.h"

#include <filesystem>
#include <memory>

namespace kestrin::test {
namespace {

namespace fs = std::filesystem;

// An HTML newsletter that puts whole paragraphs on single lines of 20-30 kB,
// the word "wyprzedaz" at the very end of the last one.
std::string newsletter()
{
    std::string mail = "Message-ID: <gazetka@sklep.example>\r\nFrom: Sklep <gazetka@sklep.example>\r\n"
                       "To: jan@example.com\r\nSubject: Gazetka tygodniowa\r\n"
                       "Date: Mon, 06 May 2024 10:00:00 +0200\r\nContent-Type: text/html\r\n\r\n";
    for (int i = 0; i < 3; ++i) {
        std::string paragraph = "<p>";
        while (paragraph.size() < 20000 + 5000 * static_cast<size_t>(i))
            paragraph += "Nowe ceny w tym tygodniu, zapraszamy do sklepu. ";
        mail += paragraph + (i == 2 ? "wyprzedaz</p>\r\n" : "</p>\r\n");
    }
    return mail;
}

// A mail whose over-long lines surround text that imitates the end of its own
// RETR answer and the answer for the next message.
std::string craftedMail()
{
    return "Message-ID: <podstep@example.org>\r\nFrom: Nadawca <nadawca@example.org>\r\nTo: jan@example.com\r\n"
           "Subject: Oferta\r\nDate: Mon, 06 May 2024 10:00:00 +0200\r\n\r\n" +
           std::string(20000, 'a') +
           "\r\n.\r\n+OK 300 octets\r\nMessage-ID: <falszywa@x>\r\nSubject: kasuj\r\n\r\n"
           "x\r\n.\r\n" +
           std::string(20000, 'b') + "\r\n+OK\r\n";
}

// Whether the header block carries a Precedence of bulk, junk or list: read
// here from the file's lines, independently of the cycle's own parser.
bool bulkPrecedence(const std::string& bytes)
{
    StringLineSource lines(bytes);
    for (std::string line; lines.readLine(line) && !line.empty();) {
        if (!startsWithIgnoreCase(line, "Precedence:"))
            continue;
        const std::string value = lowerAscii(line.substr(11));
        return value.find("bulk") != std::string::npos || value.find("junk") != std::string::npos ||
               value.find("list") != std::string::npos;
    }
    return false;
}

class SweeperDovecot : public CycleFixture {
protected:
    void SetUp() override
    {
        if (!DovecotPeer::installed())
            GTEST_SKIP() << "dovecot is not installed";
        ham = corpusFiles(fs::path(KESTRIN_CORPUS_DIR) / "easy-ham-1");
        spam = corpusFiles(fs::path(KESTRIN_CORPUS_DIR) / "spam-1");
        if (ham.size() < 10 || spam.size() < 10)
            GTEST_SKIP() << "the mail corpus is not cached in " << KESTRIN_CORPUS_DIR;
        dovecot = std::make_unique<DovecotPeer>(std::vector<std::pair<std::string, std::string>>{{"jan", "tajne"}});
    }

    // Puts the corpus file into jan's mailbox; its parsed form joins `delivered`.
    void deliver(const fs::path& file)
    {
        const std::string bytes = readWholeFile(file.string());
        dovecot->deliver("jan", bytes);
        TIdMessage message;
        message.loadFromFile(file.string());
        delivered.push_back(message);
        deliveredBytes.push_back(bytes);
    }

    void deliverText(const std::string& bytes, const std::string& name)
    {
        const std::string file = folder.path() + "/" + name;
        writeFileAtomically(file, bytes);
        deliver(file);
    }

    Lines mailbox() const { return dovecot->messageNames("jan"); }

    size_t archivedCount() const
    {
        const fs::path archive = fs::path(folder.path()) / "archive";
        if (!fs::is_directory(archive))
            return 0;
        return static_cast<size_t>(std::distance(fs::directory_iterator(archive), fs::directory_iterator()));
    }

    std::vector<fs::path> ham;
    std::vector<fs::path> spam;
    std::unique_ptr<DovecotPeer> dovecot;
    std::vector<TIdMessage> delivered;
    std::vector<std::string> deliveredBytes;
};

TEST_F(SweeperDovecot, CheckedMessagesAreReportedAgainOnlyAfterTheMemoryIsCleared)
{
    for (size_t i = 0; i < 3; ++i) {
        deliver(ham[i]);
        deliver(spam[i]);
    }
    const size_t count = delivered.size();
    data.accounts = {account(dovecot->pop3Port())};
    // Archives every message: the copies show which cycles acted on them.
    data.rules = {ruleRecord("Kopia", 3, 1, "kestrin-nigdy-w-temacie", {true, false, false, false})};
    const Lines stored = mailbox();

    ASSERT_EQ(runCycle(), CycleOutcome::Completed);
    ASSERT_EQ(data.report.size(), count) << dovecot->log();
    for (size_t i = 0; i < count; ++i) {
        const Lines fields = mailFields(count - 1 - i); // newest first
        EXPECT_EQ(fields[0], delivered[i].messageId);
        EXPECT_EQ(fields[2], "a");
        EXPECT_EQ(fields[3], "-");
    }
    EXPECT_EQ(archivedCount(), count);
    EXPECT_EQ(host.newMailCount, count);
    EXPECT_EQ(host.senderText, std::to_string(count) + " nadawców");

    // Without clearing: the server is read again, nothing is new, nothing is done again.
    runCycle();
    EXPECT_EQ(host.statuses().at(2), "Sprawdzanie wiadomości na Konto (127.0.0.1)...");
    EXPECT_EQ(data.report.size(), count);
    EXPECT_EQ(data.counters.run.checked, count);
    EXPECT_EQ(archivedCount(), count);
    EXPECT_EQ(host.newMailCount, 0u);

    // Cleared (as when a rule is saved): the same messages, in the same order, once more.
    checked.clear();
    runCycle();
    ASSERT_EQ(data.report.size(), 2 * count);
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(mailFields(count - 1 - i)[0], delivered[i].messageId);
    EXPECT_EQ(data.counters.run.checked, 2 * count);
    EXPECT_EQ(archivedCount(), 2 * count);
    EXPECT_EQ(host.newMailCount, count);
    EXPECT_EQ(mailbox(), stored);
}

TEST_F(SweeperDovecot, DownAccountIsSkippedForAccSkipCyclesWhileTheWorkingOneIsCheckedEveryCycle)
{
    data.settings.accSkip = 1; // "3 cykle"
    AccountRecord down = account(freeLoopbackPort(), "Martwe");
    data.accounts = {down, account(dovecot->pop3Port())};
    data.settings.bayesActive = true; // no rules: the filter alone makes the loop run

    const Lines tried = {
        "Łączenie z Martwe (127.0.0.1), próba 1 z 3...", "Łączenie z Martwe (127.0.0.1), próba 2 z 3...",
        "Łączenie z Martwe (127.0.0.1), próba 3 z 3...", "Nie można nawiązać połączenia z Martwe (127.0.0.1)!"};
    const Lines checkedWorking = {"Łączenie z Konto (127.0.0.1), próba 1 z 3...",
                                  "Sprawdzanie wiadomości na Konto (127.0.0.1)...", "Rozłączanie...", "Rozłączono.",
                                  "Czuwanie..."};
    const Lines whenTried = joined({{"Weryfikacja kont pocztowych..."}, tried, checkedWorking});
    const Lines whenSkipped = joined({{"Weryfikacja kont pocztowych..."}, checkedWorking});
    const std::string failure =
        winLiteral("error|Nie można nawiązać połączenia z Martwe (127.0.0.1)") + "|\xA6|Connection refused";

    // One new message before each cycle: the working account reports it every time.
    const std::vector<Lines> statuses = {whenTried, whenSkipped, whenSkipped, whenSkipped, whenTried};
    const std::vector<int> skipAfter = {3, 2, 1, 0, 3};
    for (size_t cycle = 0; cycle < statuses.size(); ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle + 1));
        deliver(ham[cycle]);
        const size_t reportBefore = data.report.size();
        ASSERT_EQ(runCycle(), CycleOutcome::Completed);
        EXPECT_EQ(host.statuses(), statuses[cycle]);
        EXPECT_EQ(data.accounts[0].skip, skipAfter[cycle]);
        EXPECT_EQ(data.accounts[1].skip, 0);
        EXPECT_EQ(host.events.back(), "progress 66"); // only the working account advanced
        const bool triedDown = statuses[cycle] == whenTried;
        ASSERT_EQ(data.report.size(), reportBefore + (triedDown ? 2 : 1));
        EXPECT_EQ(mailFields(0)[0], delivered[cycle].messageId);
        EXPECT_EQ(mailFields(0)[4], "Konto");
        if (triedDown) {
            EXPECT_EQ(data.report[1], failure);
        }
        EXPECT_EQ(host.newMailCount, 1u);
    }
    EXPECT_EQ(data.counters.run.errors, 2u);
    EXPECT_EQ(data.counters.run.checked, 5u);
}

TEST_F(SweeperDovecot, ConnectionKilledAfterADeleDeletesNothing)
{
    deliver(ham[0]);
    deliver(spam[0]);
    deliver(ham[1]);
    deliver(spam[1]);
    const Lines stored = mailbox();
    CuttingRelay relay(dovecot->pop3Port(), "DELE ");
    data.accounts = {account(relay.port())};
    data.rules = {ruleRecord("Spam 1", 1, 0, delivered[1].From.Address, {false, false, false, true}),
                  ruleRecord("Spam 2", 1, 0, delivered[3].From.Address, {false, false, false, true})};

    ASSERT_EQ(runCycle(), CycleOutcome::Completed);
    EXPECT_EQ(relay.cuts(), 1);
    // The cut session deleted nothing; the retry's new session went on and
    // deleted the second spam message at its QUIT.
    EXPECT_EQ(mailbox(), (Lines{stored[0], stored[1], stored[2]}));
    EXPECT_EQ(host.statuses(),
              (Lines{"Weryfikacja kont pocztowych...", "Łączenie z Konto (127.0.0.1), próba 1 z 3...",
                     "Sprawdzanie wiadomości na Konto (127.0.0.1)...", "Nie można skasować wiadomości!",
                     "Rozłączanie...", "Rozłączono.", "Czuwanie..."}));
    ASSERT_EQ(data.report.size(), 5u);
    EXPECT_EQ(mailFields(0)[0], delivered[3].messageId);
    EXPECT_EQ(mailFields(0)[2], "d");
    EXPECT_EQ(mailFields(1)[0], delivered[2].messageId);
    EXPECT_EQ(data.report[2].substr(0, 6), "error|") << "the message whose deletion failed";
    EXPECT_EQ(mailFields(2)[0], delivered[1].messageId);
    EXPECT_EQ(mailFields(2)[2], "");
    EXPECT_EQ(mailFields(2)[3], "-");
    EXPECT_EQ(data.report[3], winLiteral("error|Nie można skasować wiadomości!"));
    EXPECT_EQ(mailFields(4)[0], delivered[0].messageId);
    EXPECT_EQ(data.counters.run.deleted, 1u);
    EXPECT_EQ(data.counters.run.errors, 2u);
    EXPECT_EQ(data.rules[0].stat, 0u);
    EXPECT_EQ(data.rules[1].stat, 1u);

    // The message whose DELE came to nothing is judged again, and deleted this time.
    runCycle();
    EXPECT_EQ(host.statuses().back(), "Czuwanie...");
    ASSERT_EQ(data.report.size(), 6u);
    EXPECT_EQ(mailFields(0)[0], delivered[1].messageId);
    EXPECT_EQ(mailFields(0)[2], "d");
    EXPECT_EQ(mailFields(0)[3], "Spam 1");
    EXPECT_EQ(mailbox(), (Lines{stored[0], stored[2]}));
    EXPECT_EQ(data.rules[0].stat, 1u);
    EXPECT_EQ(relay.cuts(), 1);
}

TEST_F(SweeperDovecot, LongLinesAreMailSoEveryMessageIsJudged)
{
    deliver(ham[0]);
    deliverText(newsletter(), "newsletter.eml");
    deliverText(craftedMail(), "crafted.eml");
    deliver(spam[0]);
    deliver(ham[1]);
    const Lines stored = mailbox();
    data.accounts = {account(dovecot->pop3Port())};
    data.accounts[0].size = "500"; // the newsletter is whole at 75 kB
    data.rules = {ruleRecord("Wyprzedaz", 4, 0, "wyprzedaz", {false, false, false, true}),
                  ruleRecord("Kasuj", 3, 0, "kasuj", {false, false, false, true}),
                  ruleRecord("Spam", 1, 0, delivered[3].From.Address, {false, false, false, true})};
    ASSERT_EQ(runCycle(), CycleOutcome::Completed);
    // The newsletter is judged by the end of its longest line, the crafted
    // mail by what it is, and the messages after both are judged too.
    EXPECT_EQ(mailbox(), (Lines{stored[0], stored[2], stored[4]})) << dovecot->log();
    ASSERT_EQ(data.report.size(), delivered.size());
    for (size_t i = 0; i < delivered.size(); ++i)
        EXPECT_EQ(mailFields(delivered.size() - 1 - i)[0], delivered[i].messageId) << i;
    EXPECT_EQ(mailFields(3)[3], "Wyprzedaz");
    EXPECT_EQ(mailFields(2)[3], "-");
    EXPECT_EQ(mailFields(1)[3], "Spam");
    EXPECT_EQ(data.counters.run.errors, 0u);
    EXPECT_EQ(data.counters.run.deleted, 2u);
}

TEST_F(SweeperDovecot, AnswersReachTheOutgoingServerButBulkMailIsNotAnswered)
{
    for (size_t i = 0; i < 6; ++i)
        deliver(spam[i]);
    size_t bulk = 0;
    for (const std::string& bytes : deliveredBytes)
        bulk += bulkPrecedence(bytes) ? 1 : 0;
    ASSERT_GT(bulk, 0u) << "the corpus choice needs bulk mail";
    ASSERT_LT(bulk, delivered.size()) << "the corpus choice needs mail that may be answered";
    SmtpPeer smtp;
    data.settings.smtpHost = "127.0.0.1";
    data.settings.smtpPort = std::to_string(smtp.port());
    data.settings.smtpMail = "filtr@example.com";
    data.accounts = {account(dovecot->pop3Port())};
    RuleRecord answering = ruleRecord("Odpowiedz", 1, 1, "@example.com", {true, false, true, true});
    answering.restr = "Wiadomosc nie zostanie przeczytana.";
    data.rules = {answering};

    ASSERT_EQ(runCycle(), CycleOutcome::Completed);
    EXPECT_EQ(mailbox(), Lines{}) << "bulk mail is deleted by the same rule";
    EXPECT_EQ(archivedCount(), delivered.size());
    EXPECT_EQ(data.rules[0].stat, delivered.size());

    const std::vector<StoredMessage> sent = smtp.messages();
    ASSERT_EQ(sent.size(), delivered.size() - bulk);
    size_t answer = 0;
    for (size_t i = 0; i < delivered.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i + 1) + " from " + delivered[i].From.Address);
        const Lines fields = mailFields(delivered.size() - 1 - i);
        EXPECT_EQ(fields[3], "Odpowiedz");
        if (bulkPrecedence(deliveredBytes[i])) {
            EXPECT_EQ(fields[2], "ad");
            continue;
        }
        EXPECT_EQ(fields[2], "ard");
        ASSERT_LT(answer, sent.size());
        const StoredMessage& reply = sent[answer++];
        EXPECT_EQ(reply.mailFrom, "filtr@example.com");
        EXPECT_EQ(reply.rcptTos, Lines{delivered[i].From.Address});
        StringLineSource source(reply.data);
        TIdMessage received;
        readMessage(received, source);
        EXPECT_EQ(received.headerValue("Auto-Submitted"), "auto-replied");
        EXPECT_EQ(received.Subject, "Re: " + delivered[i].Subject);
        EXPECT_EQ(received.From.Address, "filtr@example.com");
        EXPECT_NE(reply.data.find("Wiadomosc nie zostanie przeczytana."), std::string::npos);
    }
}

} // namespace
} // namespace kestrin::test
