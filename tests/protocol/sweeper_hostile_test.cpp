// The check cycle against servers and mail that try to put it out of step,
// fill its memory or hold it for hours: nothing unread is ever deleted, no
// command follows an answer that was not read to its end, and the report never
// claims a deletion the server did not carry out.
#include "engine/message_identity.h"
#include "protocol/sweeper_test_support.h"

namespace kestrin::test {
namespace {

using SweeperHostile = CycleFixture;

const Lines kQuit = {"C: QUIT", "S: +OK"};

Lines answerRows(const Lines& message)
{
    Lines rows;
    for (const auto& line : message)
        rows.push_back("S: " + (line.rfind('.', 0) == 0 ? "." + line : line));
    rows.push_back("S: .");
    return rows;
}

Lines fetchWhole(int number, const Lines& message, const std::string& size = "300")
{
    const std::string n = std::to_string(number);
    return joined({{"C: LIST " + n, "S: +OK " + n + " " + size, "C: RETR " + n, "S: +OK"}, answerRows(message)});
}

Lines stat(int count)
{
    return {"C: STAT", "S: +OK " + std::to_string(count) + " 600"};
}

// Mail whose body imitates the end of its answer and a second RETR answer.
Lines craftedMail()
{
    Lines mail = mailMessage("1@x", "Ala <ala@example.com>", "Oferta", std::string(20000, 'a'));
    for (const char* line : {"", ".", "+OK 300 octets", "Message-ID: <falszywa@x>", "Subject: kasuj", "", "x", "."})
        mail.push_back(line);
    mail.push_back(std::string(20000, 'b'));
    mail.push_back("+OK");
    return mail;
}

std::string identityOf(const Lines& fields)
{
    return messageIdentity(fields[0], fields[1], fields[5], fields[6], fields[7]);
}

TEST_F(SweeperHostile, LongLinesAreReadSoCraftedMailCannotGetTheNextMessageDeleted)
{
    const Lines next = mailMessage("2@x", "Ola <ola@example.com>", "Nastepna");
    // No DELE in the script: the fake message in the first body must not be judged.
    ScriptedServer server(
        joined({pop3Login(), stat(2), fetchWhole(1, craftedMail(), "41000"), fetchWhole(2, next), kQuit}));
    data.accounts = {account(server)};
    data.rules = {ruleRecord("Kasuj", 3, 0, "kasuj", {false, false, false, true})};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 2u);
    EXPECT_EQ(mailFields(1)[7], "Oferta");
    EXPECT_EQ(mailFields(0)[7], "Nastepna");
    EXPECT_EQ(data.counters.run.checked, 2u);
    EXPECT_EQ(data.counters.run.errors, 0u);
}

TEST_F(SweeperHostile, AnswersWithoutEndGiveTheConnectionUpWithinTheirLimits)
{
    struct Case {
        const char* name;
        Lines script;
        std::string reportEnd;
    };
    const std::string tooLarge = "|\xA6|Server answer too large.";
    const Lines capaFlood = {"S: +OK ready", "C: CAPA", "S: +OK", "FLOOD X-CAPABILITY\r\n", "CLOSED"};
    const Lines retrFlood = {"C: LIST 1", "S: +OK 1 300", "C: RETR 1", "S: +OK", "FLOOD x\r\n", "CLOSED"};
    const Lines listRefused = {"C: LIST 1", "S: -ERR gone"};
    const std::string emptyCount = "'' is not a valid integer value";
    const Case cases[] = {
        {"endless CAPA", joined({capaFlood, {"ACCEPT"}, capaFlood, {"ACCEPT"}, capaFlood}),
         winLiteral("error|Nie można nawiązać połączenia z Konto (127.0.0.1)") + tooLarge},
        {"endless greeting line",
         {"FLOOD +OK", "CLOSED", "ACCEPT", "FLOOD +OK", "CLOSED", "ACCEPT", "FLOOD +OK"},
         winLiteral("error|Nie można nawiązać połączenia z Konto (127.0.0.1)") + "|\xA6|Max line length exceeded."},
        {"endless message",
         joined(
             {pop3Login(), stat(1), retrFlood, {"ACCEPT"}, pop3Login(), retrFlood, {"ACCEPT"}, pop3Login(), retrFlood}),
         winLiteral("error|Nie można pobrać wiadomości i/lub jej nagłówka z Konto (127.0.0.1)!") + tooLarge},
        {"count missing from STAT", joined({pop3Login(), {"C: STAT", "S: +OK", "C: QUIT", "S: +OK"}}),
         winLiteral("error|Nie można odczytać liczby wiadomości na Konto (127.0.0.1)!") + "|\xA6|" + emptyCount},
        {"STAT refused", joined({pop3Login(), {"C: STAT", "S: -ERR [SYS/TEMP] busy", "C: QUIT", "S: +OK"}}),
         winLiteral("error|Nie można odczytać liczby wiadomości na Konto (127.0.0.1)!") + "|\xA6|busy "},
        {"LIST refused", joined({pop3Login(), stat(1), listRefused, listRefused, listRefused, {"C: QUIT", "S: +OK"}}),
         winLiteral("error|Nie można odczytać rozmiaru wiadomości nr 1 z Konto (127.0.0.1)!") + "|\xA6|gone "},
    };
    for (const Case& c : cases) {
        ScriptedServer server(c.script);
        data.accounts = {account(server)};
        data.report.clear();
        runCycle();
        EXPECT_EQ(server.finish(), Lines{}) << c.name;
        EXPECT_EQ(data.report, Lines{c.reportEnd}) << c.name;
    }
}

TEST_F(SweeperHostile, DeletionsOfABrokenConnectionAreNotClaimedAndJudgedAgainNextCycle)
{
    const Lines spam = mailMessage("1@x", "Spam <spam@example.com>", "Kasuj mnie");
    const Lines ham = mailMessage("2@x", "Ola <ola@example.com>", "Zwykla");
    const Lines endless = {"C: LIST 2", "S: +OK 2 300", "C: RETR 2", "S: +OK", "FLOOD x\r\n", "CLOSED"};
    // The retry of message 2 opens a new connection and gets the whole message.
    ScriptedServer first(joined({pop3Login(),
                                 stat(2),
                                 fetchWhole(1, spam),
                                 {"C: DELE 1", "S: +OK"},
                                 endless,
                                 {"ACCEPT"},
                                 pop3Login(),
                                 fetchWhole(2, ham),
                                 kQuit}));
    data.accounts = {account(first)};
    data.rules = {ruleRecord("Kasuj", 3, 0, "kasuj", {false, false, false, true})};
    runCycle();
    EXPECT_EQ(first.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 3u);
    EXPECT_EQ(mailFields(0)[7], "Zwykla");
    EXPECT_EQ(data.report[1], winLiteral("error|Nie usunięto 1 wiadomości z Konto (127.0.0.1): połączenie przerwane "
                                         "przed zakończeniem sesji!") +
                                  "|\xA6|Server answer too large.");
    EXPECT_EQ(mailFields(2)[7], "Kasuj mnie");
    EXPECT_EQ(mailFields(2)[2], "");
    EXPECT_EQ(mailFields(2)[3], "-");
    EXPECT_EQ(data.counters.run.deleted, 0u);
    EXPECT_EQ(data.counters.run.checked, 2u);
    EXPECT_EQ(data.rules[0].stat, 0u);
    EXPECT_FALSE(checked.find(identityOf(mailFields(2))));
    EXPECT_TRUE(checked.find(identityOf(mailFields(0))));

    ScriptedServer second(
        joined({pop3Login(), stat(2), fetchWhole(1, spam), {"C: DELE 1", "S: +OK"}, fetchWhole(2, ham), kQuit}));
    data.accounts = {account(second)};
    runCycle();
    EXPECT_EQ(second.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 4u);
    EXPECT_EQ(mailFields(0)[7], "Kasuj mnie");
    EXPECT_EQ(mailFields(0)[2], "d");
    EXPECT_EQ(data.counters.run.deleted, 1u);
    EXPECT_EQ(data.rules[0].stat, 1u);
}

TEST_F(SweeperHostile, SlowServersAreGivenUpAfterMailWaitNotAfterEveryByte)
{
    data.settings.mailWait = 0; // "1 sek"
    const Lines message = mailMessage("1@x", "Ala <ala@example.com>", "Powoli");
    const Lines whole = fetchWhole(1, message);
    // Each server sends its bytes 100 ms apart, far within the old idle time-out,
    // but needs 3 s or more in all; the client must hang up before the end.
    struct Case {
        const char* name;
        Lines script;
    };
    const std::string slowBody = "TRICKLE 100 " + std::string(30, 'z') + "\r\n.\r\n";
    const Case cases[] = {
        {"greeting",
         {"TRICKLE 100 +OK hello from a very slow server\r\n", "CLOSED", "ACCEPT", "S: +OK ready", "C: CAPA", "S: -ERR",
          "C: USER jan", "S: +OK", "C: PASS tajne", "S: +OK", "C: STAT", "S: +OK 0 0", "C: QUIT", "S: +OK"}},
        {"CAPA list", joined({{"S: +OK ready", "C: CAPA", "S: +OK", "TRICKLE 100 USER\r\nTOP\r\nUIDL\r\nSASL\r\n.\r\n",
                               "CLOSED", "ACCEPT"},
                              pop3Login(),
                              {"C: STAT", "S: +OK 0 0"},
                              kQuit})},
        {"message body", joined({pop3Login(),
                                 stat(1),
                                 {"C: LIST 1", "S: +OK 1 300", "C: RETR 1", "S: +OK", "S: Subject: Powoli",
                                  "S: ", slowBody, "CLOSED", "ACCEPT"},
                                 pop3Login(),
                                 whole,
                                 kQuit})},
        {"stall in mid-answer", joined({pop3Login(),
                                        stat(1),
                                        {"C: LIST 1", "S: +OK 1 300", "C: RETR 1", "S: +OK", "S: Subject: Powoli",
                                         "TRICKLE 5000 \r\n.\r\n", "CLOSED", "ACCEPT"},
                                        pop3Login(),
                                        whole,
                                        kQuit})},
    };
    for (const Case& c : cases) {
        ScriptedServer server(c.script);
        data.accounts = {account(server)};
        checked.clear();
        runCycle();
        EXPECT_EQ(server.finish(), Lines{}) << c.name;
    }
    EXPECT_EQ(data.counters.run.checked, 2u) << "the message was read on the new connection";
}

TEST_F(SweeperHostile, UnreadableSizesCountAsTooLargeForAnAccountWithALimit)
{
    struct Case {
        std::string listedSize;
        const char* command;
    };
    const Case cases[] = {{"-5", "TOP 1 0"},
                          {"12abc", "TOP 1 0"},
                          {"99999999999999999999", "TOP 1 0"},
                          {"+300", "TOP 1 0"},
                          {"51201", "TOP 1 0"},
                          {"51200", "RETR 1"},
                          {"", "RETR 1"}, // no size: small enough, as it always was
                          {"9007199254740993", "TOP 1 0"}};
    const Lines message = mailMessage("1@x", "Ala <ala@example.com>", "Rozmiar");
    for (const Case& c : cases) {
        const std::string list = "S: +OK 1" + (c.listedSize.empty() ? "" : " " + c.listedSize);
        ScriptedServer server(joined({pop3Login(),
                                      stat(1),
                                      {"C: LIST 1", list, std::string("C: ") + c.command, "S: +OK"},
                                      answerRows(message),
                                      kQuit}));
        data.accounts = {account(server)};
        data.accounts[0].size = "50";
        checked.clear();
        runCycle();
        EXPECT_EQ(server.finish(), Lines{}) << c.listedSize;
    }
}

TEST_F(SweeperHostile, DataTheClientDidNotAskForEndsTheConnection)
{
    const Lines message = mailMessage("1@x", "Ala <ala@example.com>", "Nadmiar");
    ScriptedServer server(joined({pop3Login(),
                                  stat(1),
                                  {"C: LIST 1", "S~ +OK 1 300\r\n+OK 1 300\r\n", "CLOSED", "ACCEPT"},
                                  pop3Login(),
                                  fetchWhole(1, message),
                                  kQuit}));
    data.accounts = {account(server)};
    runCycle();
    EXPECT_EQ(server.finish(), Lines{});
    ASSERT_EQ(data.report.size(), 1u);
    EXPECT_EQ(mailFields(0)[7], "Nadmiar");
}

} // namespace
} // namespace kestrin::test
