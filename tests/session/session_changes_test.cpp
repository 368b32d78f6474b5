// The changes windows and kestrin-cli ask of the session: what each refuses,
// what it writes at once, and what it announces.
#include "session/session_fixture.h"

#include "engine/cycle_changes.h"
#include "engine/cycle_snapshot.h"
#include "engine/message_identity.h"
#include "storage/mail_report_entry.h"
#include "storage/record_tables.h"
#include "storage/report_entry.h"
#include "support/rule_records.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace kestrin::test {
namespace {

std::string mailLine(const std::string& subject, const std::string& actions, const std::string& deleteMark)
{
    return "mail|<1@x>|\xA6|2025-01-13 / 08:00:00|\xA6|" + actions +
           "|\xA6|-|\xA6|Konto|\xA6|Ala|\xA6|ala@example.com|\xA6|" + subject + "|\xA6|1 kb|\xA6|tanio kredyt|\xA6|" +
           deleteMark + "|\xA6|0";
}

TEST(SessionChanges, RecordsAreStoredAtOnceWithinTheirLimits)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    s.checkedMemory().insert("0123456789abcdef0123456789abcdef");

    EXPECT_TRUE(s.storeRule(-1, ruleRecord("Pierwsza", 3, 0, "a", {false, false, false, true})).done);
    EXPECT_TRUE(s.storeRule(0, ruleRecord("Zmieniona", 3, 0, "b", {false, false, false, true})).done);
    EXPECT_FALSE(s.storeRule(5, ruleRecord("Poza", 3, 0, "c", {})).done) << "no such rule";
    ASSERT_EQ(s.data().rules.size(), 1u);
    EXPECT_EQ(loadRules(f.folder.path()).at(0).name, "Zmieniona") << "written at once";
    EXPECT_FALSE(s.checkedMemory().find("0123456789abcdef0123456789abcdef")) << "a saved rule empties the memory";

    s.data().rules.resize(1000);
    const session::ChangeResult refused = s.storeRule(-1, ruleRecord("Za duzo", 3, 0, "d", {}));
    EXPECT_FALSE(refused.done);
    EXPECT_EQ(cp1250ToUtf8(refused.refusal), "Nie można dodać więcej niż 1000 reguł wiadomości!");
    EXPECT_TRUE(s.storeRule(999, ruleRecord("Ostatnia", 3, 0, "e", {})).done) << "editing is never refused";

    FriendRecord ala{"Ala", "ala@example.com"};
    EXPECT_TRUE(s.storeFriend(-1, ala).done);
    EXPECT_TRUE(s.storeFriend(-1, FriendRecord{"Ola", "ola@example.com"}).done);
    EXPECT_TRUE(s.deleteRecords(RecordKind::Friends, {1, 0, 7}).done);
    EXPECT_TRUE(loadFriends(f.folder.path()).empty());
    EXPECT_EQ(std::count(f.emitted.begin(), f.emitted.end(), "recordsChanged"), 4 + 6)
        << "the start-up's four, then one per change";
}

// The editor's save: a question or a refusal changes nothing; answered, the
// rule is stored, written and the checked messages are judged again.
TEST(SessionChanges, RuleSaveStopsAtItsStepsAndStoresWhenAnswered)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    const std::string checked = "0123456789abcdef0123456789abcdef";
    s.checkedMemory().insert(checked);
    const RuleDraft sender{ruleRecord("Nadawca", 1, 0, "bez-malpy", {true, false, false, true}), 0};

    const session::ChangeResult asked = s.saveRule(-1, sender, {});
    EXPECT_FALSE(asked.done);
    ASSERT_TRUE(asked.question);
    EXPECT_EQ(asked.question->which, RuleSaveQuestion::ValueAddress);
    EXPECT_TRUE(s.data().rules.empty());
    EXPECT_FALSE(std::filesystem::exists(f.file("config/regs_database2.dat")));
    EXPECT_TRUE(s.checkedMemory().find(checked));

    RuleDraft forward = sender;
    forward.record.name = "Dalej";
    forward.record.act = {false, true, false, false};
    forward.record.sendto = "ktos@example.com";
    s.data().settings.smtpHost.clear();
    const session::ChangeResult refused = s.saveRule(-1, forward, {RuleSaveQuestion::ValueAddress});
    EXPECT_EQ(cp1250ToUtf8(refused.refusal), "Nie można dodać/edytować nowej reguły wiadomości gdyż dla wybranych "
                                             "akcji nie został ustawiony serwer SMTP w opcjach programu!");
    EXPECT_FALSE(refused.question);

    EXPECT_TRUE(s.saveRule(-1, sender, {RuleSaveQuestion::ValueAddress}).done);
    ASSERT_EQ(loadRules(f.folder.path()).size(), 1u);
    EXPECT_FALSE(s.checkedMemory().find(checked));

    RuleDraft renamed = draftOfRule(s.data().rules[0]);
    renamed.record.name = "NADAWCA";
    EXPECT_TRUE(s.saveRule(0, renamed, {RuleSaveQuestion::ValueAddress}).done) << "no conflict with itself";
    EXPECT_EQ(loadRules(f.folder.path()).at(0).name, "NADAWCA");
}

// A cycle judges with a snapshot taken at its start; its hit counts and skip
// counters come back after the user may have inserted, deleted or renamed records.
TEST(SessionChanges, TheAddressBookImportAddsEveryPlannedFriendWithOneWrite)
{
    SessionFixture f;
    std::vector<FriendRecord> stored;
    for (int i = 0; i < 999; ++i)
        stored.push_back({"Friend " + std::to_string(i), "friend" + std::to_string(i) + "@example.com"});
    std::filesystem::create_directories(f.file("config"));
    saveFriends(f.folder.path(), stored);
    std::string cards;
    for (int i = 0; i < 50; ++i)
        cards += "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Contact " + std::to_string(i) + "\r\nEMAIL:c" + std::to_string(i) +
                 "@example.org\r\nEND:VCARD\r\n";
    f.writeFile("kontakty.vcf", cards);
    f.writeOptions({"AddressBookFile=" + f.file("kontakty.vcf")});
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();

    const FriendImportPlan plan = s.planFriendImport();
    ASSERT_EQ(plan.outcome, FriendImportPlan::Outcome::Ready) << "the configured book";
    f.emitted.clear();
    ASSERT_TRUE(s.importFriends(plan.additions).done);
    EXPECT_EQ(loadFriends(f.folder.path()).size(), 1049u);
    EXPECT_EQ(std::count(f.emitted.begin(), f.emitted.end(), "recordsChanged"), 1);
    EXPECT_EQ(s.planFriendImport().outcome, FriendImportPlan::Outcome::Limit);
    EXPECT_EQ(s.planFriendImport(f.file("brak.vcf")).outcome, FriendImportPlan::Outcome::Error) << "FILE overrides";
}

TEST(SessionChanges, CycleChangesFollowTheirRecordThroughEdits)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(s.storeRule(-1, ruleRecord(name, 3, 0, name, {false, false, false, true})).done);
    AccountRecord first;
    first.name = "Pierwsze";
    AccountRecord second;
    second.name = "Drugie";
    ASSERT_TRUE(s.storeAccount(-1, first).done);
    ASSERT_TRUE(s.storeAccount(-1, second).done);
    const std::shared_ptr<const CycleSnapshot> snapshot = takeCycleSnapshot(s.data());
    SharedChanges changes;
    for (const RuleRecord& rule : snapshot->rules)
        changes.ruleStats.push_back({rule.key});
    changes.skipCounters.push_back({snapshot->accounts[0].key, 7});
    changes.skipCounters.push_back({snapshot->accounts[1].key, 9});

    ASSERT_TRUE(s.deleteRecords(RecordKind::Rules, {0}).done);                                            // A gone
    ASSERT_TRUE(s.storeRule(0, ruleRecord("B po zmianie", 3, 0, "b", {false, false, false, true})).done); // renamed
    ASSERT_TRUE(s.storeRule(-1, s.data().rules[1]).done); // a copy of C is a new rule
    ASSERT_TRUE(s.deleteRecords(RecordKind::Accounts, {0}).done);
    applySharedChanges(changes, s.data());

    ASSERT_EQ(s.data().rules.size(), 3u);
    EXPECT_EQ(s.data().rules[0].stat, 1u) << "the renamed rule keeps its hit";
    EXPECT_EQ(s.data().rules[1].stat, 1u);
    EXPECT_EQ(s.data().rules[2].stat, 0u) << "the copy was not the rule that hit";
    ASSERT_EQ(s.data().accounts.size(), 1u);
    EXPECT_EQ(s.data().accounts[0].skip, 9) << "the deleted account's counter went nowhere";
}

TEST(SessionChanges, ReportMarksRefuseTwiceAndOnlyMailEntries)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    s.data().report = {mailLine("Kredyt", "", "0"), mailLine("Usunieta", "d", "0"), "error|Blad",
                       "mail|<id>|\xA6|damaged"};
    const struct {
        size_t line;
        bool done;
        const char* refusal;
    } deletions[] = {
        {0, true, ""},
        {0, false, "Nie można oznaczyć wybranej wiadomości do usunięcia gdyż została już ona oznaczona lub usunięta!"},
        {1, false, "Nie można oznaczyć wybranej wiadomości do usunięcia gdyż została już ona oznaczona lub usunięta!"},
        {2, false, ""},
        {3, false, "Nie można oznaczyć wybranej wiadomości do usunięcia gdyż została już ona oznaczona lub usunięta!"},
        {9, false, ""},
    };
    for (const auto& c : deletions) {
        const session::ChangeResult result = s.markForDeletion(c.line);
        EXPECT_EQ(result.done, c.done) << c.line;
        EXPECT_EQ(cp1250ToUtf8(result.refusal), c.refusal) << c.line;
    }
    EXPECT_EQ(s.data().report[3], "mail|<id>|\xA6|damaged");
    const std::optional<MailReportEntry> entry = parseMailReportEntry(splitReportEntry(s.data().report[0]).payload);
    ASSERT_TRUE(entry);
    EXPECT_TRUE(entry->deleteMark.is(DeleteMark::Marked));
    EXPECT_TRUE(s.markedMemory().find(
        messageIdentity(entry->messageId, entry->date, entry->senderName, entry->senderAddress, entry->subject)));

    EXPECT_TRUE(s.markBayes(0, BayesList::Spam).done);
    const session::ChangeResult again = s.markBayes(0, BayesList::Good);
    EXPECT_FALSE(again.done);
    EXPECT_EQ(cp1250ToUtf8(again.refusal), "Nie można oznaczyć wybranej wiadomości gdyż została już ona oznaczona!");
    EXPECT_EQ(s.data().counters.totals.bayList1, 1u);
    EXPECT_FALSE(s.data().bayesWords.empty()) << "the mark trained the filter";

    EXPECT_TRUE(s.neutraliseBayesWord(0).done);
    EXPECT_EQ(s.data().bayesWords[0].stat, 0u);
    EXPECT_EQ(s.data().bayesWords[0].lastuse, "1899-12-30");
}

TEST(SessionChanges, BayesMarkTrainsTheWholeCheckedMessage)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    // The cycle hands over the entry with the message's words; the entry
    // itself keeps only its ten keywords.
    CycleResult result;
    result.flags = {ResultFlag::Checked};
    result.reportText = splitReportEntry(mailLine("Kredyt", "", "0")).payload;
    result.newEntry = true;
    result.bayesWords = "Kredyt gotowka bez zaswiadczen zadzwon ";
    s.cycleResult(result);
    ASSERT_EQ(splitReportEntry(s.data().report.front()).payload, result.reportText);
    ASSERT_TRUE(s.markBayes(0, BayesList::Spam).done);
    std::vector<std::string> names;
    for (const BayesWordRecord& word : s.data().bayesWords)
        names.push_back(word.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Kredyt", "gotowka", "zaswiadczen", "zadzwon"}));

    // An entry the cycle of this run did not hand over: its keywords and subject.
    s.data().report.insert(s.data().report.begin(), mailLine("Inny temat", "", "0"));
    ASSERT_TRUE(s.markBayes(0, BayesList::Good).done);
    EXPECT_EQ(bayesWordCount(s.data().bayesWords, BayesList::Good), 4u); // Inny temat tanio kredyt

    s.data().counters.totals.bayDel = 3;
    s.data().counters.totals.checkMsg = 9;
    EXPECT_TRUE(s.clearBayesDatabase().done);
    EXPECT_TRUE(s.data().bayesWords.empty());
    EXPECT_TRUE(loadBayesWords(f.folder.path()).empty()) << "written at once";
    EXPECT_EQ(s.data().counters.totals.bayAll, 0u);
    EXPECT_EQ(s.data().counters.totals.bayList0, 0u);
    EXPECT_EQ(s.data().counters.totals.bayList1, 0u);
    EXPECT_EQ(s.data().counters.totals.bayDel, 0u);
    EXPECT_EQ(s.data().counters.totals.checkMsg, 9u);
}

TEST(SessionChanges, ReportAndCountersAreClearedAndAnnounced)
{
    SessionFixture f;
    session::ProgramSession& s = f.makeSession(false);
    s.startUp();
    s.data().counters.run = {5, 2, 1};
    s.data().counters.totals.checkMsg = 50;
    f.emitted.clear();
    s.resetCounters(session::CounterReset::Run);
    EXPECT_EQ(s.data().counters.run.checked, 0u);
    EXPECT_EQ(s.data().counters.totals.checkMsg, 50u);
    s.resetCounters(session::CounterReset::RunAndTotals);
    EXPECT_EQ(s.data().counters.totals.checkMsg, 0u);
    s.clearReport();
    EXPECT_TRUE(s.data().report.empty());
    EXPECT_EQ(f.emitted, (std::vector<std::string>{"countersChanged", "countersChanged", "reportChanged"}));
}

} // namespace
} // namespace kestrin::test
