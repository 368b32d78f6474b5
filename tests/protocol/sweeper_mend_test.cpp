// Where the check cycle keeps mail safe: a failed archive copy blocks the
// deletion, an unreadable message does not end the account's loop, answers
// follow RFC 3834, forwards go to the rule's addresses only, and header values
// cannot break the report line.
#include "engine/message_classification.h"
#include "engine/message_identity.h"
#include "peers/smtp_peer.h"
#include "protocol/sweeper_test_support.h"
#include "storage/atomic_file.h"

namespace kestrin::test {
namespace {

using SweeperMends = CycleFixture;

const Lines kQuit = {"C: QUIT", "S: +OK"};

Lines fetchWhole(int number, const Lines& message)
{
    const std::string n = std::to_string(number);
    Lines rows = {"C: LIST " + n, "S: +OK " + n + " 300", "C: RETR " + n, "S: +OK"};
    const Lines body = messageRows(message);
    rows.insert(rows.end(), body.begin(), body.end());
    return rows;
}

RuleRecord subjectRule(const std::string& name, const std::string& text, ActionFlags actions)
{
    RuleRecord rule;
    rule.name = name;
    rule.typ = 3;
    rule.sub = 0;
    rule.str = text;
    rule.act = actions;
    return rule;
}

TEST_F(SweeperMends, FailedArchiveCopyIsReportedAndBlocksTheDeletion)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Do archiwum");
    // No DELE in the script: a deletion would be a mismatch.
    ScriptedServer server(joined({pop3Login(), {"C: STAT", "S: +OK 1 300"}, fetchWhole(1, m1), kQuit}));
    data.accounts = {account(server)};
    data.rules = {subjectRule("Archiwum", "archiwum", {true, false, false, true})};
    setBeforeRenameHookForTests([](const std::string& temporary) {
        if (temporary.find("/archive/") != std::string::npos)
            throw EFileError("disk full");
    });
    runCycle();
    setBeforeRenameHookForTests(nullptr);
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(data.report[1], winLiteral("error|Nie można zarchiwizować wiadomości!"));
    EXPECT_EQ(data.report[0].substr(0, 6), "error|");
    EXPECT_EQ(mailFields(0)[2], "");
    EXPECT_EQ(mailFields(0)[3], "-");
    EXPECT_EQ(data.counters.run.deleted, 0u);
    EXPECT_EQ(data.rules[0].stat, 0u);
    EXPECT_EQ(host.newMailCount, 1u);
}

// The first cause's copy fails; what the second cause asks decides the deletion.
TEST_F(SweeperMends, FailedCopyBlocksOnlyTheDeletionAskedWithIt)
{
    struct Case {
        const char* name;
        ActionFlags second;
        int failingCopies;
        bool deleted;
    };
    const Case cases[] = {
        {"second cause asks no copy", {false, false, false, true}, 1, true},
        {"second cause's copy succeeds", {true, false, false, true}, 1, true},
        {"second cause's copy fails too", {true, false, false, true}, 2, false},
    };
    for (const Case& c : cases) {
        const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Do archiwum");
        const Lines dele = c.deleted ? Lines{"C: DELE 1", "S: +OK"} : Lines{};
        ScriptedServer server(joined({pop3Login(), {"C: STAT", "S: +OK 1 300"}, fetchWhole(1, m1), dele, kQuit}));
        data.accounts = {account(server)};
        data.rules = {subjectRule("Pierwsza", "archiwum", {true, false, false, true}),
                      subjectRule("Druga", "do", c.second)};
        data.report.clear();
        checked.clear();
        int failuresLeft = c.failingCopies;
        setBeforeRenameHookForTests([&failuresLeft](const std::string& temporary) {
            if (temporary.find("/archive/") != std::string::npos && failuresLeft-- > 0)
                throw EFileError("disk full");
        });
        runCycle();
        setBeforeRenameHookForTests(nullptr);
        EXPECT_EQ(server.finish(), Lines{}) << c.name;
        EXPECT_EQ(data.rules[0].stat, 0u) << c.name;
        EXPECT_EQ(data.rules[1].stat, c.deleted ? 1u : 0u) << c.name;
        EXPECT_EQ(mailFields(0)[3], c.deleted ? "Druga" : "-") << c.name;
    }
}

TEST_F(SweeperMends, NoServerIsTouchedWhileTheProgramFolderCannotBeWritten)
{
    for (const char* blocked : {"config", "archive"}) {
        TemporaryFolder home;
        writeFileAtomically(home.path() + "/" + blocked, "a file where the folder should be");
        ScriptedServer server({});
        data.accounts = {account(server)};
        data.report.clear();
        host.events.clear();
        TSweeper sweeper(takeCycleSnapshot(data),
                         SweeperContext{home.path(), channels, internet, checked, marked, cancel, {}}, host);
        sweeper.run();
        EXPECT_EQ(server.finish(), Lines{"no client connected"}) << blocked;
        const std::string text = "Nie można zapisać plików w folderze programu (" + home.path() + "/" + blocked + ")!";
        EXPECT_EQ(data.report, Lines{"error|" + winLiteral(text)}) << blocked;
        EXPECT_EQ(host.statuses().back(), text) << blocked;
        EXPECT_TRUE(host.ended);
    }
}

TEST_F(SweeperMends, UnparsableMessageIsReportedAndTheNextOneChecked)
{
    const Lines unparsable = mailMessage("1@x", "Jan <jan@example.com> extra@example.com", "Zly nadawca");
    const Lines m2 = mailMessage("2@x", "Ola <ola@example.com>", "Nastepna");
    ScriptedServer server(
        joined({pop3Login(), {"C: STAT", "S: +OK 2 600"}, fetchWhole(1, unparsable), fetchWhole(2, m2), kQuit}));
    data.accounts = {account(server)};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(
        data.report[1].rfind(winLiteral("error|Nie można odczytać wiadomości nr 1 z Konto (127.0.0.1)!") + "|\xA6|", 0),
        0u);
    EXPECT_EQ(mailFields(0)[7], "Nastepna");
    EXPECT_EQ(data.counters.run.checked, 1u);
    EXPECT_EQ(data.counters.run.errors, 1u);
}

TEST_F(SweeperMends, BodyThatCannotBeTakenApartIsJudgedByItsHeader)
{
    const Lines header = {"Message-ID: <1@x>", "From: Spam <spam@example.com>", "Subject: Kasuj mnie",
                          "MIME-Version: 1.0", "Content-Type: multipart/mixed; boundary=b"};
    Lines whole = header;
    for (const char* line : {"", "--b", "Content-Type: multipart/alternative; boundary=c",
                             "Content-Transfer-Encoding: base64", "", "LS1j", "--b--"})
        whole.push_back(line);
    ScriptedServer server(joined({pop3Login(),
                                  {"C: STAT", "S: +OK 1 300"},
                                  fetchWhole(1, whole),
                                  {"C: TOP 1 0", "S: +OK"},
                                  messageRows(header),
                                  {"C: DELE 1", "S: +OK"},
                                  kQuit}));
    data.accounts = {account(server)};
    data.rules = {subjectRule("Kasuj", "kasuj", {false, false, false, true})};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 1u);
    EXPECT_EQ(mailFields(0)[2], "d");
    EXPECT_EQ(data.counters.run.errors, 0u);
}

TEST_F(SweeperMends, ForwardsGoToTheRuleAddressesAndAnswersAreMarkedAutomatic)
{
    SmtpPeer smtp;
    data.settings.smtpHost = "127.0.0.1";
    data.settings.smtpPort = std::to_string(smtp.port());
    data.settings.smtpMail = "filtr@example.com";
    Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Oferta dnia");
    m1.insert(m1.begin() + 2, "Cc: kopia@example.net");
    Lines m2 = mailMessage("2@x", "Lista <lista@example.org>", "Oferta listy");
    m2.insert(m2.begin() + 2, "Precedence: bulk");
    ScriptedServer server(joined({pop3Login(),
                                  {"C: STAT", "S: +OK 2 600"},
                                  fetchWhole(1, m1),
                                  {"C: DELE 1", "S: +OK"},
                                  fetchWhole(2, m2),
                                  {"C: DELE 2", "S: +OK"},
                                  kQuit}));
    data.accounts = {account(server)};
    RuleRecord rule = subjectRule("Oferty", "Oferta", {false, true, true, true});
    rule.sendto = "dalej@example.org";
    rule.restr = "Dziekujemy";
    data.rules = {rule};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_EQ(mailFields(1)[2], "srd");
    EXPECT_EQ(mailFields(0)[2], "sd"); // no answer to a bulk message, the other actions ran
    const auto sent = smtp.messages();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[0].rcptTos, Lines{"dalej@example.org"});
    EXPECT_EQ(sent[0].mailFrom, "filtr@example.com");
    EXPECT_NE(sent[0].data.find("Subject: Fw: Oferta dnia"), std::string::npos);
    EXPECT_NE(sent[0].data.find("Cc: kopia@example.net"), std::string::npos); // headers stay as loaded
    EXPECT_EQ(sent[1].rcptTos, Lines{"ala@example.com"});
    EXPECT_NE(sent[1].data.find("Auto-Submitted: auto-replied"), std::string::npos);
    EXPECT_NE(sent[1].data.find("Subject: Re: Oferta dnia"), std::string::npos);
    EXPECT_NE(sent[1].data.find("Dziekujemy"), std::string::npos);
    EXPECT_EQ(sent[2].rcptTos, Lines{"dalej@example.org"});
    EXPECT_EQ(data.rules[0].stat, 2u);
}

TEST_F(SweeperMends, ForwardAndAnswerFailuresAreReportedAndTheDeleteGoesOn)
{
    data.settings.smtpHost = "127.0.0.1";
    data.settings.smtpPort = "2x5";
    data.settings.smtpMail = "filtr@example.com";
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Oferta");
    ScriptedServer server(
        joined({pop3Login(), {"C: STAT", "S: +OK 1 300"}, fetchWhole(1, m1), {"C: DELE 1", "S: +OK"}, kQuit}));
    data.accounts = {account(server)};
    data.rules = {subjectRule("Oferty", "Oferta", {false, true, true, true})};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_EQ(data.report, (Lines{"error|" + data.report[0].substr(6),
                                  winLiteral("error|Nie można udzielić odpowiedzi nadawcy wiadomości!"),
                                  winLiteral("error|Nie można przesłać dalej wiadomości!")}));
    EXPECT_EQ(mailFields(0)[2], "d");
    EXPECT_EQ(data.counters.run.errors, 3u);
    EXPECT_EQ(data.counters.run.deleted, 1u);
}

TEST_F(SweeperMends, HeaderValuesCannotBreakTheReportLine)
{
    const Lines m1 = mailMessage("1@x", "Ala <ala@example.com>", "Zly |\xA6| temat |\xA6");
    ScriptedServer server(joined({pop3Login(), {"C: STAT", "S: +OK 1 300"}, fetchWhole(1, m1), kQuit}));
    data.accounts = {account(server)};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    const Lines fields = mailFields(0);
    ASSERT_EQ(fields.size(), 12u);
    EXPECT_EQ(fields[7], "Zly |\xA6 | temat |\xA6 ");
    EXPECT_EQ(fields[4], "Konto");
    // The report list recomputes the identity the cycle remembered.
    EXPECT_TRUE(checked.find(messageIdentity(fields[0], fields[1], fields[5], fields[6], fields[7])));
}

} // namespace
} // namespace kestrin::test
