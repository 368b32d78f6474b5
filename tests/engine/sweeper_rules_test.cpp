// The pure parts of the check cycle: friends, the order of causes, the planned
// actions, RFC 3834 and the neutralised report values.
#include "engine/message_classification.h"
#include "engine/report_value.h"
#include "engine/sweeper.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TIdMessage messageWith(std::vector<std::string> headers)
{
    TIdMessage message;
    for (auto& line : headers)
        message.addRawHeaderLine(std::move(line));
    message.processHeaders();
    return message;
}

TEST(SweeperRules, FriendsMatchFoldedMasks)
{
    const std::vector<FriendRecord> friends = {{"A", "jan@Example.com"}, {"B", "*@FIRMA.pl"}};
    EXPECT_TRUE(isFriendAddress(friends, "JAN@example.COM"));
    EXPECT_TRUE(isFriendAddress(friends, "ktos@firma.pl"));
    EXPECT_FALSE(isFriendAddress(friends, "ktos@firma.pl.evil"));
    EXPECT_FALSE(isFriendAddress({}, "jan@example.com"));
}

TEST(SweeperRules, CausesInOrderWithFriendExemptionAndFaults)
{
    CycleSnapshot snapshot;
    snapshot.settings.bayesActive = false;
    snapshot.friends = {{"Ala", "ala@example.com"}};
    RuleRecord subject;
    subject.typ = 3;
    subject.sub = 0;
    subject.str = "Test";
    RuleRecord forFriends = subject;
    forFriends.nofri = true;
    RuleRecord broken;
    broken.typ = 10;
    broken.nofri = true;
    RuleRecord badSize;
    badSize.typ = 5;
    badSize.sub = 0;
    badSize.str = "duzo";
    badSize.nofri = true;
    snapshot.rules = {subject, forFriends, broken, badSize};
    const TIdMessage message = messageWith({"From: Ala <ala@example.com>", "Subject: Test"});
    const MessageClassification result = classifyMessage(snapshot, nullptr, message, 100, true);
    EXPECT_TRUE(result.isFriend);
    EXPECT_FALSE(result.bayes.has_value());
    ASSERT_EQ(result.causes.size(), 4u);
    EXPECT_EQ(result.causes[0].outcome, CauseOutcome::FriendExempt);
    EXPECT_EQ(result.causes[1].outcome, CauseOutcome::Selected);
    EXPECT_EQ(result.causes[1].cause, 1);
    EXPECT_EQ(result.causes[2].outcome, CauseOutcome::Fault);
    EXPECT_EQ(result.causes[3].outcome, CauseOutcome::Fault);
}

TEST(SweeperRules, PlannedActionsTakeTheFirstSelectingCause)
{
    MessageClassification classification;
    classification.causes = {{kCauseBayes, CauseOutcome::NotSelected, kArchiveAndDelete},
                             {0, CauseOutcome::Selected, {true, false, true, false}},
                             {1, CauseOutcome::Selected, {true, true, true, true}}};
    EXPECT_EQ(plannedActions(classification, true, true, true), (ActionMarkers{0, 1, 0, 1}));
    // Header only: no archive and no forward; without the outgoing server no answer.
    EXPECT_EQ(plannedActions(classification, false, false, true), (ActionMarkers{kNotDone, kNotDone, kNotDone, 1}));
    EXPECT_EQ(plannedActions(classification, true, true, false), (ActionMarkers{0, 1, kNotDone, 1}));
    EXPECT_EQ(deletingCauseText(kCauseUser, {}), winLiteral("(Użytkownik)"));
    EXPECT_EQ(deletingCauseText(kCauseBayes, {}), "(Filtr Bayesa)");
    EXPECT_EQ(deletingCauseText(kNotDone, {}), "-");
}

TEST(SweeperRules, AutomaticAnswersFollowRfc3834)
{
    EXPECT_TRUE(mayAnswerAutomatically(messageWith({"Subject: x"})));
    EXPECT_TRUE(mayAnswerAutomatically(messageWith({"Auto-Submitted: No"})));
    EXPECT_FALSE(mayAnswerAutomatically(messageWith({"Auto-Submitted: auto-replied"})));
    EXPECT_FALSE(mayAnswerAutomatically(messageWith({"Auto-Submitted: auto-generated; owner-email=a@b"})));
    EXPECT_FALSE(mayAnswerAutomatically(messageWith({"Precedence: Bulk"})));
    EXPECT_FALSE(mayAnswerAutomatically(messageWith({"Precedence: junk"})));
    EXPECT_FALSE(mayAnswerAutomatically(messageWith({"Precedence: list"})));
    EXPECT_TRUE(mayAnswerAutomatically(messageWith({"Precedence: first-class"})));
}

TEST(SweeperRules, ReportValuesAreNeutralised)
{
    EXPECT_EQ(neutraliseReportValue("a\r\nb\nc"), "a  b c");
    EXPECT_EQ(neutraliseReportValue("x|\xA6|y"), "x|\xA6 |y");
    EXPECT_EQ(neutraliseReportValue("|\xA6|\xA6|"), "|\xA6 |\xA6 |");
    EXPECT_EQ(neutraliseReportValue("end|\xA6"), "end|\xA6 ");
    EXPECT_EQ(neutraliseReportValue("\xA6|ok|"), "\xA6|ok|");
    EXPECT_EQ(neutraliseReportValue("Zwykły"), "Zwykły");
    EXPECT_GE(kCheckedMemoryCapacity, 65536u);
}

} // namespace
} // namespace kestrin
