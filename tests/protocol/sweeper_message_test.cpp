// The check cycle per message: whole or header fetch, the two memories, the
// report entry and new-mail texts, and the causes that delete.
#include "engine/archive_file.h"
#include "engine/bayes_test_support.h"
#include "engine/message_identity.h"
#include "mail/message.h"
#include "protocol/sweeper_test_support.h"
#include "storage/atomic_file.h"

#include <filesystem>

namespace kestrin::test {
namespace {

using SweeperMessages = CycleFixture;

const Lines kQuit = {"C: QUIT", "S: +OK"};

Lines fetchWhole(int number, const std::string& size, const Lines& message)
{
    const std::string n = std::to_string(number);
    Lines rows = {"C: LIST " + n, "S: +OK " + n + (size.empty() ? "" : " " + size), "C: RETR " + n, "S: +OK"};
    const Lines body = messageRows(message);
    rows.insert(rows.end(), body.begin(), body.end());
    return rows;
}

Lines fetchHeader(int number, const std::string& size, const Lines& message)
{
    const std::string n = std::to_string(number);
    Lines rows = {"C: LIST " + n, "S: +OK " + n + " " + size, "C: TOP " + n + " 0", "S: +OK"};
    Lines header;
    for (const auto& line : message) {
        if (line.empty())
            break;
        header.push_back(line);
    }
    const Lines body = messageRows(header);
    rows.insert(rows.end(), body.begin(), body.end());
    return rows;
}

Lines stat(int count)
{
    return {"C: STAT", "S: +OK " + std::to_string(count) + " 1000"};
}

TEST_F(SweeperMessages, SizeLimitDecidesBetweenWholeMessageAndHeader)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Pierwsza", "slowo slowo slowo inne");
    const Lines m2 = mailMessage("2@x", "Ola <ola@example.com>", "Druga");
    const Lines m3 = mailMessage("3@x", "Ela <ela@example.com>", "Ogromna");
    const Lines m4 = mailMessage("4@x", "Iza <iza@example.com>", "Bez rozmiaru");
    ScriptedServer server(joined({pop3Login(), stat(4), fetchWhole(1, "51200", m1), fetchHeader(2, "51201", m2),
                                  // 2^32 + 100 would wrap to 100 in 32 bits
                                  fetchHeader(3, "4294967396", m3), fetchWhole(4, "", m4), kQuit}));
    data.accounts = {account(server)};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_EQ(host.statuses(), (Lines{"Weryfikacja kont pocztowych...", "Łączenie z Konto (127.0.0.1), próba 1 z 3...",
                                      "Sprawdzanie wiadomości na Konto (127.0.0.1)...", "Rozłączanie...", "Rozłączono.",
                                      "Czuwanie..."}));
    EXPECT_EQ(host.events.back(), "progress 100");
    ASSERT_EQ(data.report.size(), 4u);
    EXPECT_EQ(mailFields(3), (Lines{"<1@x>", "2024-05-06 / 10:00:00", "", "-", "Konto", "Ala", "ala@example.com",
                                    "Pierwsza", "50 kb", "slowo inne", "0", "0"}));
    EXPECT_EQ(mailFields(2)[8], "50 kb");
    EXPECT_EQ(mailFields(2)[9], ""); // header only: no top words
    EXPECT_EQ(mailFields(1)[8], "4194304 kb");
    EXPECT_EQ(mailFields(0)[8], "0 kb");
    EXPECT_EQ(data.counters.run.checked, 4u);
    EXPECT_EQ(host.newEntryCount, 4);
    EXPECT_EQ(host.newMailCount, 4u);
    EXPECT_EQ(host.senderText, "4 nadawców");
    EXPECT_EQ(host.subjectText, "(...)");
    // The temporary file holds the last message fetched whole.
    TIdMessage saved;
    saved.loadFromFile(temporaryMessagePath(folder.path()));
    EXPECT_EQ(saved.Subject, "Bez rozmiaru");
}

TEST_F(SweeperMessages, SeenMessagesAreReportedOnceUntilTheMemoryIsCleared)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Raz");
    const Lines once = joined({pop3Login(), stat(1), fetchWhole(1, "300", m1), kQuit});
    ScriptedServer server(joined({once, {"ACCEPT"}, once, {"ACCEPT"}, once}));
    data.accounts = {account(server)};
    runCycle();
    EXPECT_EQ(host.newMailCount, 1u);
    EXPECT_EQ(host.senderText, "Ala <ala@example.com>");
    EXPECT_EQ(host.subjectText, "Raz");
    runCycle();
    EXPECT_EQ(data.report.size(), 1u);
    EXPECT_EQ(data.counters.run.checked, 1u);
    EXPECT_EQ(host.newMailCount, 0u);
    checked.clear(); // a rule was saved
    runCycle();
    EXPECT_EQ(data.report.size(), 2u);
    EXPECT_EQ(data.counters.run.checked, 2u);
    EXPECT_EQ(server.finish(), Lines{});
}

TEST_F(SweeperMessages, MarkedMessageIsArchivedAndDeletedByTheUserEvenFromAFriend)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Od przyjaciela");
    const Lines first = joined({pop3Login(), stat(1), fetchWhole(1, "300", m1), kQuit});
    const Lines second = joined({pop3Login(), stat(1), fetchWhole(1, "300", m1), {"C: DELE 1", "S: +OK"}, kQuit});
    ScriptedServer server(joined({first, {"ACCEPT"}, second}));
    data.accounts = {account(server)};
    data.friends = {FriendRecord{"Ala", "*@EXAMPLE.com"}};
    runCycle();
    // The report list recomputes the identity from the entry's fields and marks it.
    const Lines fields = mailFields(0);
    marked.insert(messageIdentity(fields[0], fields[1], fields[5], fields[6], fields[7]));
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(mailFields(0)[2], "ad");
    EXPECT_EQ(mailFields(0)[3], winLiteral("(Użytkownik)"));
    // Handed over once the server accepted QUIT, which carries out the deletion.
    EXPECT_EQ(host.events.at(host.events.size() - 6), "status Rozłączanie...");
    EXPECT_EQ(host.events.at(host.events.size() - 5).substr(0, 10), "result cd ");
    EXPECT_EQ(data.counters.run.deleted, 1u);
    EXPECT_EQ(readWholeFile(folder.path() + "/archive/message - 0.txt"),
              readWholeFile(temporaryMessagePath(folder.path())));
    EXPECT_EQ(host.newMailCount, 0u);
}

TEST_F(SweeperMessages, AccountWithoutReportCountsButAddsNoEntry)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Cicho");
    ScriptedServer server(joined({pop3Login(), stat(1), fetchWhole(1, "300", m1), kQuit}));
    data.accounts = {account(server)};
    data.accounts[0].nrep = true;
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_TRUE(data.report.empty());
    EXPECT_EQ(data.counters.run.checked, 1u);
    EXPECT_EQ(host.newEntryCount, -1);
    EXPECT_EQ(host.newMailCount, 1u);
    EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "result c "), 1);
}

TEST_F(SweeperMessages, RuleArchivesIntoTheFirstFreeFileAndDeletes)
{
    const Lines m1 = mailMessage("1@x", "Spamer <s@spam.example>", "Wielka PROMOCJA", "kup teraz");
    const Lines m2 = mailMessage("2@x", "Ala <ala@example.com>", "Zwykla");
    ScriptedServer server(joined(
        {pop3Login(), stat(2), fetchWhole(1, "300", m1), {"C: DELE 1", "S: +OK"}, fetchWhole(2, "300", m2), kQuit}));
    data.accounts = {account(server)};
    data.settings.bayesActive = false;
    RuleRecord archiveOnly;
    archiveOnly.name = "Tylko archiwum";
    archiveOnly.typ = 3;
    archiveOnly.sub = 0;
    archiveOnly.str = "PROMOCJA";
    archiveOnly.act = {true, false, false, false};
    RuleRecord deleting = archiveOnly;
    deleting.name = "Promocje";
    deleting.key = newRecordKey(); // another rule, not a copy of the first
    deleting.act = {true, false, false, true};
    data.rules = {archiveOnly, deleting};
    ensureFolder(folder.path() + "/archive");
    writeFileAtomically(folder.path() + "/archive/message - 0.txt", "old");
    writeFileAtomically(folder.path() + "/archive/message - 2.txt", "old");
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(mailFields(1)[2], "ad");
    EXPECT_EQ(mailFields(1)[3], "Promocje");
    EXPECT_EQ(mailFields(0)[3], "-");
    EXPECT_EQ(data.rules[0].stat, 0u);
    EXPECT_EQ(data.rules[1].stat, 1u);
    EXPECT_EQ(data.counters.run.deleted, 1u);
    EXPECT_EQ(host.newMailCount, 1u);
    EXPECT_EQ(host.senderText, "Ala <ala@example.com>");
    TIdMessage archived;
    archived.loadFromFile(folder.path() + "/archive/message - 1.txt");
    EXPECT_EQ(archived.Subject, "Wielka PROMOCJA");
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/archive/message - 3.txt"));
}

TEST_F(SweeperMessages, BayesFilterDeletesSpamButNotFromFriends)
{
    const Lines spam = mailMessage("1@x", "Bank <b@spam.example>", "kredyt gotowka", "pozyczka szybko kredyt");
    const Lines friendly = mailMessage("2@x", "Ala <ala@example.com>", "kredyt gotowka", "pozyczka szybko kredyt");
    ScriptedServer server(joined({pop3Login(),
                                  stat(2),
                                  fetchWhole(1, "300", spam),
                                  {"C: DELE 1", "S: +OK"},
                                  fetchWhole(2, "300", friendly),
                                  kQuit}));
    data.accounts = {account(server)};
    data.friends = {FriendRecord{"Ala", "ala@example.com"}};
    // 30 messages marked each way; the four words were in every spam.
    data.bayesWords.push_back(bayesWord("alpha", BayesList::Good, 30));
    for (const char* word : {"kredyt", "gotowka", "pozyczka", "szybko"})
        data.bayesWords.push_back(bayesWord(word, BayesList::Spam, 30));
    data.counters.totals.bayList0 = 30;
    data.counters.totals.bayList1 = 30;
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_NE(std::find(host.events.begin(), host.events.end(), "result cdb " + cp1250ToUtf8(data.report[1].substr(5))),
              host.events.end());
    EXPECT_EQ(mailFields(1)[2], "ad");
    EXPECT_EQ(mailFields(1)[3], "(Filtr Bayesa)");
    EXPECT_EQ(mailFields(0)[2], "");
    EXPECT_EQ(data.counters.totals.bayDel, 1u);
    EXPECT_EQ(data.counters.run.deleted, 1u);
    // Each entry carries every word of its message for a later mark, not just the keywords.
    EXPECT_EQ(host.bayesWords, (Lines{"kredyt gotowka pozyczka szybko ", "kredyt gotowka pozyczka szybko "}));
}

TEST_F(SweeperMessages, RuleFaultIsReportedAndTheMessageEntryBecomesAnError)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Test");
    ScriptedServer server(joined({pop3Login(), stat(1), fetchWhole(1, "300", m1), {"C: DELE 1", "S: +OK"}, kQuit}));
    data.accounts = {account(server)};
    RuleRecord broken;
    broken.name = "Zly";
    broken.typ = 12;
    RuleRecord all;
    all.name = "Wszystko";
    all.typ = 3;
    all.sub = 0;
    all.str = "Test";
    all.act = {false, false, false, true};
    data.rules = {broken, all};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(data.report[1], winLiteral("error|Wystąpił krytyczny wyjątek w analizie reguł!"));
    EXPECT_EQ(data.report[0].substr(0, 6), "error|");
    EXPECT_EQ(mailFields(0)[3], "Wszystko");
    EXPECT_EQ(data.counters.run.errors, 2u);
    EXPECT_EQ(data.counters.run.deleted, 1u);
}

} // namespace
} // namespace kestrin::test
