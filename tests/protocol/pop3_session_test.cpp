// TIdPOP3 against scripted servers: the exact edge cases of the conversation.
#include "mail/pop3_client.h"
#include "mail/protocol_text_check.h"
#include "peers/scripted_server.h"
#include "platform/qt_line_channel.h"
#include "text/cp1250.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace kestrin {
namespace {

using test::ScriptedServer;
using Lines = std::vector<std::string>;
using Script = std::vector<std::string>;

constexpr int kTimeoutMs = 5000;

Script withLogin(Script afterLogin)
{
    Script script = {"S: +OK POP3 ready", "C: CAPA", "S: +OK",        "S: USER",         "S: .",
                     "C: USER jan",       "S: +OK",  "C: PASS tajne", "S: +OK logged in"};
    script.insert(script.end(), afterLogin.begin(), afterLogin.end());
    return script;
}

struct Session {
    explicit Session(const ScriptedServer& server) : pop3(std::make_unique<QtLineChannel>())
    {
        pop3.Host = "127.0.0.1";
        pop3.Port = server.port();
        pop3.Username = "jan";
        pop3.Password = "tajne";
        pop3.ConnectTimeout = kTimeoutMs;
        pop3.ReadTimeout = kTimeoutMs;
    }
    TIdPOP3 pop3;
};

TEST(Pop3Session, OpenReadsGreetingAndCapabilitiesAndLogsIn)
{
    ScriptedServer server({"S: +OK POP3 ready <1.2@x>", "C: CAPA", "S: +OK Capability list follows", "S: TOP",
                           "S: ..odd", "S: UIDL", "S: .", "C: USER jan", "S: +OK", "C: PASS tajne", "S: +OK", "C: QUIT",
                           "S: +OK bye"});
    Session s(server);
    EXPECT_FALSE(s.pop3.IsConnected());
    s.pop3.Open();
    EXPECT_TRUE(s.pop3.IsConnected());
    EXPECT_EQ(s.pop3.Greeting(), "POP3 ready <1.2@x>");
    EXPECT_EQ(s.pop3.Capabilities(), (Lines{"TOP", ".odd", "UIDL"}));
    EXPECT_THROW(s.pop3.Open(), EIdAlreadyConnected);
    s.pop3.Close();
    EXPECT_FALSE(s.pop3.IsConnected());
    EXPECT_EQ(s.pop3.LastReply().text, Lines{"bye"});
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, ServerWithoutCapaLogsInNormally)
{
    ScriptedServer server({"S: +OK hi", "C: CAPA", "S: -ERR unknown command", "C: USER jan", "S: +OK", "C: PASS tajne",
                           "S: +OK", "C: STAT", "S: +OK 0 0"});
    Session s(server);
    s.pop3.Open();
    EXPECT_TRUE(s.pop3.Capabilities().empty());
    EXPECT_EQ(s.pop3.QueryMessageCount(), 0);
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, RefusedLogInRaisesTheServerTextAndQuits)
{
    ScriptedServer server({"S: +OK", "C: CAPA", "S: -ERR", "C: USER jan", "S: +OK", "C: PASS tajne",
                           "S: -ERR [IN-USE] mailbox locked", "C: QUIT", "S: +OK"});
    Session s(server);
    try {
        s.pop3.Open();
        FAIL() << "no error";
    } catch (const EIdReplyPOP3Error& e) {
        EXPECT_STREQ(e.what(), "mailbox locked\r\n");
        EXPECT_EQ(e.reply().extendedCode, "IN-USE");
    }
    EXPECT_FALSE(s.pop3.IsConnected());
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, GreetingRefusalRaisesAndQuitIsAttempted)
{
    ScriptedServer server({"S: -ERR too busy", "C: QUIT", "S: +OK"});
    Session s(server);
    try {
        s.pop3.Open();
        FAIL() << "no error";
    } catch (const EIdReplyPOP3Error& e) {
        EXPECT_STREQ(e.what(), "too busy\r\n");
    }
    EXPECT_FALSE(s.pop3.IsConnected());
    EXPECT_EQ(server.finish(), Lines{});

    // A server that hangs up after its refusal: the QUIT attempt fails quietly.
    ScriptedServer gone({"S: -ERR bye", "CLOSE"});
    Session t(gone);
    EXPECT_THROW(t.pop3.Open(), EIdReplyPOP3Error);
    EXPECT_FALSE(t.pop3.IsConnected());
    EXPECT_EQ(gone.finish(), Lines{});
}

TEST(Pop3Session, CountAndSizeReplies)
{
    ScriptedServer server(withLogin({"C: STAT",   "S: +OK",
                                     "C: STAT",   "S: +OK 12 34567",
                                     "C: LIST 1", "S: +OK 1",
                                     "C: LIST 2", "S: +OK 2 512",
                                     "C: LIST 3", "S: +OK 3 big",
                                     "C: LIST 4", "S: +OK 4 -7",
                                     "C: LIST 5", "S: -ERR no such message",
                                     "C: LIST 6", "S: +OK 6 9007199254740992",
                                     "C: LIST 7", "S: +OK 7 9007199254740993",
                                     "C: LIST 8", "S: +OK 8 +5",
                                     "C: STAT",   "S: +OK many",
                                     "C: STAT",   "S: +OK -3 0",
                                     "C: STAT",   "S: -ERR [SYS/TEMP] later"}));
    Session s(server);
    s.pop3.Open();
    EXPECT_ANY_THROW(s.pop3.QueryMessageCount()) << "no count is no empty mailbox";
    EXPECT_EQ(s.pop3.QueryMessageCount(), 12);
    EXPECT_EQ(s.pop3.QueryMessageSize(1), -1);
    EXPECT_EQ(s.pop3.QueryMessageSize(2), 512);
    // What is no size counts as too large rather than small enough.
    EXPECT_EQ(s.pop3.QueryMessageSize(3), kMessageSizeUnreadable);
    EXPECT_EQ(s.pop3.QueryMessageSize(4), kMessageSizeUnreadable);
    EXPECT_THROW(s.pop3.QueryMessageSize(5), EIdReplyPOP3Error);
    EXPECT_EQ(s.pop3.QueryMessageSize(6), kLargestCredibleSize);
    EXPECT_EQ(s.pop3.QueryMessageSize(7), kMessageSizeUnreadable);
    EXPECT_EQ(s.pop3.QueryMessageSize(8), kMessageSizeUnreadable);
    EXPECT_ANY_THROW(s.pop3.QueryMessageCount()); // not a decimal number
    EXPECT_ANY_THROW(s.pop3.QueryMessageCount()); // no count below 0
    try {
        s.pop3.QueryMessageCount();
        FAIL() << "no error";
    } catch (const EIdReplyPOP3Error& e) {
        EXPECT_STREQ(e.what(), "later\r\n");
    }
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, FetchMessageUnstuffsBodyDotsAndStopsAtTheDotLine)
{
    ScriptedServer server(
        withLogin({"C: RETR 1", "S: +OK 120 octets", "S: From: a@example.com", "S: Subject: Dots",
                   "S: ..not a header dot", "S: ", "S: first", "S: ..word", "S: .word", "S: ", "S: last", "S: .",
                   "C: RETR 2", "S: -ERR no such message", "C: DELE 1", "S: +OK marked", "C: QUIT", "S: +OK"}));
    Session s(server);
    s.pop3.Open();
    TIdMessage message;
    ASSERT_TRUE(s.pop3.FetchMessage(1, message));
    EXPECT_EQ(message.Subject, "Dots");
    EXPECT_EQ(message.Body, (Lines{"first", ".word", "word", "", "last"}));
    // Header lines keep their dots.
    EXPECT_EQ(message.rawHeaders.count(), 3u);
    EXPECT_FALSE(s.pop3.FetchMessage(2, message));
    EXPECT_EQ(message.Subject, "");
    EXPECT_TRUE(message.Body.empty());
    EXPECT_TRUE(s.pop3.MarkDeleted(1));
    s.pop3.Close();
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, FetchHeaderReadsTheWholeTopAnswer)
{
    ScriptedServer server(withLogin({"C: TOP 3 0", "S: +OK", "S: Subject: Top", "S: ", "S: X-After-Empty: yes", "S: .",
                                     "C: TOP 4 0", "S: -ERR no such message", "C: DELE 3", "S: +OK"}));
    Session s(server);
    s.pop3.Open();
    TIdMessage message;
    EXPECT_TRUE(s.pop3.FetchHeader(3, message));
    EXPECT_EQ(message.Subject, "Top");
    EXPECT_EQ(message.headerValue("X-After-Empty"), "yes");
    EXPECT_TRUE(message.Body.empty());
    EXPECT_THROW(s.pop3.FetchHeader(4, message), EIdReplyPOP3Error);
    EXPECT_EQ(message.Subject, "");
    // Only a message read on this connection may be deleted: no DELE 4 or 9 is sent.
    EXPECT_THROW(s.pop3.MarkDeleted(4), EIdNotReadInFull);
    EXPECT_THROW(s.pop3.MarkDeleted(9), EIdNotReadInFull);
    EXPECT_TRUE(s.pop3.MarkDeleted(3));
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, UnparsableHeaderStillConsumesTheWholeAnswer)
{
    ScriptedServer server(
        withLogin({"C: RETR 1", "S: +OK", "S: From: Jan <jan@example.com> extra@example.com", "S: ", "S: body", "S: .",
                   "C: STAT", "S: +OK 1 10", "C: TOP 1 0", "S: +OK", "S: From: Jan <jan@example.com> extra@example.com",
                   "S: .", "C: STAT", "S: +OK 1 10"}));
    Session s(server);
    s.pop3.Open();
    TIdMessage message;
    EXPECT_THROW(s.pop3.FetchMessage(1, message), EIdEmailParseError);
    // The next command reads its own reply, not the rest of the message.
    EXPECT_EQ(s.pop3.QueryMessageCount(), 1);
    EXPECT_THROW(s.pop3.FetchHeader(1, message), EIdEmailParseError);
    EXPECT_EQ(s.pop3.QueryMessageCount(), 1);
    EXPECT_EQ(server.finish(), Lines{});
}

TEST(Pop3Session, ReadTimeoutAndOverlongLinesRaise)
{
    ScriptedServer slow({"WAIT 1500", "S: +OK late"});
    Session s(slow);
    s.pop3.ReadTimeout = 300;
    try {
        s.pop3.Open();
        FAIL() << "no error";
    } catch (const EIdReadTimeout& e) {
        EXPECT_STREQ(e.what(), "Read Timeout");
    }
    EXPECT_FALSE(s.pop3.IsConnected());
    slow.finish();

    ScriptedServer chatty({"S: +OK " + std::string(20000, 'x')});
    Session t(chatty);
    try {
        t.pop3.Open();
        FAIL() << "no error";
    } catch (const EIdReadLnMaxLineLengthExceeded& e) {
        EXPECT_STREQ(e.what(), "Max line length exceeded.");
    }
    EXPECT_FALSE(t.pop3.IsConnected());
    chatty.finish();

    // The server hangs up in the middle of a message.
    ScriptedServer broken(withLogin({"C: RETR 1", "S: +OK", "S: Subject: cut", "S: ", "S: half", "CLOSE"}));
    Session u(broken);
    u.pop3.Open();
    TIdMessage message;
    EXPECT_THROW(u.pop3.FetchMessage(1, message), EIdException);
    EXPECT_EQ(broken.finish(), Lines{});
}

TEST(Pop3Session, RequestedStlsThatIsNotAnnouncedFailsBeforeTheLogIn)
{
    ScriptedServer server({"S: +OK", "C: CAPA", "S: +OK", "S: USER", "S: TOP", "S: .", "C: QUIT", "S: +OK"});
    Session s(server);
    s.pop3.Security = Pop3Security::StartTls;
    try {
        s.pop3.Open();
        FAIL() << "no error";
    } catch (const EIdTlsError& e) {
        EXPECT_EQ(e.what(), winLiteral("Serwer nie obsługuje szyfrowania STLS!"));
    }
    EXPECT_FALSE(s.pop3.IsConnected());
    EXPECT_EQ(server.finish(), Lines{});
    EXPECT_EQ(server.received(), (Lines{"CAPA", "QUIT"}));

    // Without CAPA there is no announcement either.
    ScriptedServer old({"S: +OK", "C: CAPA", "S: -ERR", "C: QUIT", "S: +OK"});
    Session t(old);
    t.pop3.Security = Pop3Security::StartTls;
    EXPECT_THROW(t.pop3.Open(), EIdTlsError);
    EXPECT_EQ(old.finish(), Lines{});
}

TEST(Pop3Session, LineBreaksInSettingsAreRefusedBeforeConnecting)
{
    ScriptedServer server({});
    Session s(server);
    for (const std::string& bad : {std::string("x\r\nDELE 1"), std::string("x\n"), std::string("x\0y", 3)}) {
        s.pop3.Password = bad;
        try {
            s.pop3.Open();
            ADD_FAILURE() << "no error";
        } catch (const EIdUnsafeCommandText& e) {
            EXPECT_EQ(e.what(), winLiteral("Hasło zawiera niedozwolone znaki!"));
        }
        s.pop3.Password = "tajne";
        s.pop3.Username = bad;
        EXPECT_THROW(s.pop3.Open(), EIdUnsafeCommandText);
        s.pop3.Username = "jan";
        s.pop3.Host = "127.0.0.1" + bad;
        EXPECT_THROW(s.pop3.Open(), EIdUnsafeCommandText);
        s.pop3.Host = "127.0.0.1";
        EXPECT_FALSE(s.pop3.IsConnected());
    }
    EXPECT_EQ(server.finish(), Lines{"no client connected"});
    EXPECT_TRUE(server.received().empty());
}

TEST(Pop3Session, AbortFromAnotherThreadWakesABlockedRead)
{
    ScriptedServer server({"WAIT 3000", "S: +OK too late"});
    Session s(server);
    std::thread stopper([&s] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        s.pop3.Abort();
    });
    // Without the abort the read would end in a time-out or with the late greeting.
    EXPECT_THROW(s.pop3.Open(), EIdAborted);
    stopper.join();
    EXPECT_FALSE(s.pop3.IsConnected());
    // The session stays stopped.
    EXPECT_THROW(s.pop3.Open(), EIdAborted);
    server.finish();
}

TEST(Pop3Session, QuitRefusedStillClosesAndRaises)
{
    ScriptedServer server(withLogin({"C: QUIT", "S: -ERR [SYS/PERM] could not delete"}));
    Session s(server);
    s.pop3.Open();
    EXPECT_THROW(s.pop3.Close(), EIdReplyPOP3Error);
    EXPECT_FALSE(s.pop3.IsConnected());
    EXPECT_NO_THROW(s.pop3.Close()); // closing a closed session sends nothing
    EXPECT_EQ(server.finish(), Lines{});
}

} // namespace
} // namespace kestrin
