// The rule editor's save steps: every refusal and question with its text, in
// the order the steps take them, and the record that a completed save stores.
#include "engine/record_limits.h"
#include "engine/rule_save.h"
#include "support/rule_records.h"
#include "text/cp1250.h"

#include <gtest/gtest.h>

namespace kestrin::test {
namespace {

constexpr std::array<bool, 4> kArchiveDelete = {true, false, false, true};
constexpr std::array<bool, 4> kNoActions = {false, false, false, false};
constexpr std::array<bool, 4> kForward = {false, true, false, false};
constexpr std::array<bool, 4> kReply = {false, false, true, false};

const SmtpSetup kSmtp{"smtp.example.com", "25", "me@example.com"};

const char* const kNoText = "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wprowadziłeś jej treści!";
const char* const kNoCondition =
    "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrałeś dla niej warunku logicznego!";
const char* const kNoAction =
    "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrano żadnej akcji dla niej!";
const char* const kNoSmtp = "Nie można dodać/edytować nowej reguły wiadomości gdyż dla wybranych akcji nie został "
                            "ustawiony serwer SMTP w opcjach programu!";
const char* const kBadValue = "Nie można dodać/edytować nowej reguły wiadomości gdyż dane jej treści są nieprawidłowe!";
const char* const kSameName = "Reguła wiadomości o podanej nazwie już istnieje!";
const char* const kSameCondition = "Reguła wiadomości o podanych warunkach już istnieje!";

RuleDraft draft(const std::string& name, uint8_t typ, int line, const std::string& value,
                std::array<bool, 4> actions = kArchiveDelete)
{
    return {ruleRecord(name, typ, 0, value, actions), line};
}

RuleSaveOutcome save(const RuleDraft& d, const std::vector<RuleRecord>& rules = {}, int editIndex = -1,
                     const std::set<RuleSaveQuestion>& yes = {}, const SmtpSetup& smtp = kSmtp)
{
    return checkRuleSave(d, rules, editIndex, smtp, yes);
}

std::string shown(const RuleSaveOutcome& outcome)
{
    return cp1250ToUtf8(outcome.text);
}

std::vector<RuleRecord> rulesNamed(size_t count)
{
    std::vector<RuleRecord> rules;
    for (size_t i = 0; i < count; ++i)
        rules.push_back(ruleRecord("r" + std::to_string(i), 3, 0, "v" + std::to_string(i), kArchiveDelete));
    return rules;
}

TEST(RuleSave, RefusalsInStepOrder)
{
    RuleDraft forwardWithoutAddress = draft("a", 3, 0, "x", kForward);
    RuleDraft replyWithoutText = draft("a", 3, 0, "x", kReply);
    RuleDraft forwardAsideReply = draft("a", 3, 0, "x", kReply);
    forwardAsideReply.record.restr = "\r\n"; // line breaks are text
    forwardAsideReply.record.sendto = "kept@example.com";
    const struct {
        const char* what;
        RuleDraft draft;
        SmtpSetup smtp;
        const char* text;
    } cases[] = {
        {"empty name", draft("", 3, 0, "x"), kSmtp, kNoText},
        {"forward without address", forwardWithoutAddress, kSmtp, kNoText},
        {"reply without text", replyWithoutText, kSmtp, kNoText},
        {"text separator line 4", draft("a", 3, 4, "x"), kSmtp, kNoCondition},
        {"text separator line 9", draft("a", 0, 9, "x"), kSmtp, kNoCondition},
        {"nothing selected", draft("a", 3, -1, "x"), kSmtp, kNoCondition},
        {"line the field lacks", draft("a", 5, 1, "1"), kSmtp, kNoCondition},
        {"field past the table", draft("a", 10, 0, "x"), kSmtp, kNoCondition},
        {"no action", draft("a", 3, 0, "x", kNoActions), kSmtp, kNoAction},
        {"reply without SMTP host", forwardAsideReply, {"", "25", "me@x"}, kNoSmtp},
        {"reply without SMTP port", forwardAsideReply, {"h", "", "me@x"}, kNoSmtp},
        {"reply without sender", forwardAsideReply, {"h", "25", ""}, kNoSmtp},
        {"size with a letter", draft("a", 5, 0, "12k"), kSmtp, kBadValue},
        {"size with a sign", draft("a", 5, 0, "-1"), kSmtp, kBadValue},
        // Step 2 before step 3, step 3 before step 6.
        {"empty name on a separator", draft("", 3, 4, "x", kNoActions), kSmtp, kNoText},
        {"separator without action", draft("a", 3, 4, "x", kNoActions), kSmtp, kNoCondition},
    };
    for (const auto& c : cases) {
        const RuleSaveOutcome outcome = save(c.draft, {}, -1, {}, c.smtp);
        EXPECT_EQ(outcome.status, RuleSaveStatus::Refused) << c.what;
        EXPECT_EQ(shown(outcome), c.text) << c.what;
        EXPECT_EQ(cp1250ToUtf8(outcome.caption), "Błąd dodawania reguły wiadomości") << c.what;
    }
    EXPECT_EQ(save(forwardAsideReply).status, RuleSaveStatus::Accepted) << "with SMTP set";
}

TEST(RuleSave, QuestionsInStepOrderEachPassedByItsYes)
{
    RuleDraft d = draft("a", 1, 0, "", {true, true, false, true});
    d.record.sendto = "nowhere";
    std::set<RuleSaveQuestion> yes;
    const struct {
        RuleSaveQuestion question;
        const char* text;
    } asked[] = {
        {RuleSaveQuestion::EmptyValue,
         "Nie podano treści tej reguły wiadomości! Czy mimo to chcesz dodać aktualną regułę wiadomości?"},
        {RuleSaveQuestion::ValueAddress, "Podany adres e-mail w polu treści wiadomości jest nieprawidłowy! Czy mimo "
                                         "to chcesz dodać aktualną regułę wiadomości?"},
        {RuleSaveQuestion::ForwardAddress,
         "Podany adres wiadomości jest nieprawidłowy! Czy mimo to chcesz dodać aktualną regułę wiadomości?"},
    };
    for (const auto& a : asked) {
        const RuleSaveOutcome outcome = save(d, {}, -1, yes);
        ASSERT_EQ(outcome.status, RuleSaveStatus::Asked);
        EXPECT_EQ(outcome.question, a.question);
        EXPECT_EQ(shown(outcome), a.text);
        EXPECT_EQ(cp1250ToUtf8(outcome.caption), "Błąd dodawania reguły wiadomości");
        yes.insert(a.question);
    }
    EXPECT_EQ(save(d, {}, -1, yes).status, RuleSaveStatus::Accepted);
}

TEST(RuleSave, DoubleSpaceIsAskedBeforeTheActionIsRefused)
{
    const RuleDraft d = draft("a", 3, 0, "tani  kredyt", kNoActions);
    const RuleSaveOutcome asked = save(d);
    ASSERT_EQ(asked.status, RuleSaveStatus::Asked);
    EXPECT_EQ(asked.question, RuleSaveQuestion::DoubleSpace);
    EXPECT_EQ(shown(asked), "Treść reguły zawiera dwa lub więcej znaki spacji znajdujące się obok siebie, co może "
                            "powodować nieprawidłową interpretację reguły wiadomości! Czy mimo to chcesz dodać "
                            "aktualną regułę wiadomości?");
    EXPECT_EQ(shown(save(d, {}, -1, {RuleSaveQuestion::DoubleSpace})), kNoAction);
    EXPECT_EQ(save(draft("a", 3, 0, "tani kredyt ")).status, RuleSaveStatus::Accepted) << "single blanks";
}

TEST(RuleSave, EverySizeRuleAsksAboutArchivingAfterItsDigitsPass)
{
    const struct {
        const char* value;
        RuleSaveStatus status;
    } cases[] = {
        {"300", RuleSaveStatus::Asked}, // not a preset
        {"128", RuleSaveStatus::Asked},
        {"1 28", RuleSaveStatus::Refused},
        {"0x80", RuleSaveStatus::Refused},
    };
    for (const auto& c : cases)
        EXPECT_EQ(save(draft("a", 5, 0, c.value)).status, c.status) << c.value;

    const RuleDraft d = draft("a", 5, 0, "300", {false, false, false, true});
    const RuleSaveOutcome asked = save(d);
    EXPECT_EQ(asked.question, RuleSaveQuestion::SizeNotArchived);
    EXPECT_EQ(shown(asked), "Wiadomości pocztowe usunięte za pomocą aktualnej reguły nie będą archiwizowane! Czy "
                            "mimo to chcesz dodać aktualną regułę wiadomości?");
    EXPECT_EQ(cp1250ToUtf8(asked.caption), "Dodawanie reguły wiadomości");
    EXPECT_EQ(save(d, {}, -1, {RuleSaveQuestion::SizeNotArchived}).record.str, "300");

    // An empty size passes the digits test and is asked about twice.
    const RuleSaveOutcome empty = save(draft("a", 5, 0, ""), {}, -1, {RuleSaveQuestion::EmptyValue});
    EXPECT_EQ(empty.question, RuleSaveQuestion::SizeNotArchived);
}

TEST(RuleSave, TheLimitHoldsOnlyWhenAdding)
{
    const std::vector<RuleRecord> full = rulesNamed(kMaxRules);
    const RuleSaveOutcome refused = save(draft("", 3, 4, "new", kNoActions), full);
    EXPECT_EQ(shown(refused), "Nie można dodać więcej niż 1000 reguł wiadomości!") << "before every other step";
    EXPECT_EQ(save(draft("new", 3, 0, "new"), rulesNamed(kMaxRules - 1)).status, RuleSaveStatus::Accepted)
        << "the 1000th rule";
    EXPECT_EQ(save(draft("changed", 3, 0, "new"), full, 999).status, RuleSaveStatus::Accepted);
    EXPECT_EQ(save(draft("changed", 3, 0, "new"), full, 1000).status, RuleSaveStatus::Refused) << "no such rule";
}

TEST(RuleSave, NamesConflictWithAsciiCaseFoldedOnly)
{
    const std::vector<RuleRecord> rules = {ruleRecord("Spam", 3, 0, "a", kArchiveDelete),
                                           ruleRecord("\x8C"
                                                      "mieci",
                                                      3, 0, "b", kArchiveDelete)}; // "Śmieci"
    const struct {
        std::string name;
        int editIndex;
        bool conflicts;
    } cases[] = {
        {"SPAM", -1, true},
        {"spam", -1, true},
        {"spam", 0, false}, // the rule being edited
        {"spam", 1, true},
        {"\x9C"
         "mieci",
         -1, false}, // "śmieci": Polish letters keep their case
        {"\x8C"
         "MIECI",
         -1, true},
    };
    for (const auto& c : cases) {
        const RuleSaveOutcome outcome = save(draft(c.name, 3, 0, "other"), rules, c.editIndex);
        EXPECT_EQ(shown(outcome), c.conflicts ? kSameName : "") << c.name << " editing " << c.editIndex;
    }
}

TEST(RuleSave, ConditionsConflictByFieldLineAndExactValue)
{
    // Stored with code 7 ("nie zawiera żadnych słów"), which stands on line 6.
    const std::vector<RuleRecord> rules = {ruleRecord("a", 3, 7, "Abc", kArchiveDelete)};
    const struct {
        const char* what;
        RuleDraft draft;
        int editIndex;
        bool conflicts;
    } cases[] = {
        {"same field, line and value, other actions", draft("b", 3, 6, "Abc", {false, false, false, true}), -1, true},
        {"value in another case", draft("b", 3, 6, "abc"), -1, false},
        {"other line", draft("b", 3, 7, "Abc"), -1, false},
        {"other field", draft("b", 0, 6, "Abc"), -1, false},
        {"the rule itself", draft("a", 3, 6, "Abc"), 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(shown(save(c.draft, rules, c.editIndex)), c.conflicts ? kSameCondition : "") << c.what;

    // A size rule stored with any code stands on line 0.
    const std::vector<RuleRecord> sizes = {ruleRecord("s", 5, 3, "128", kArchiveDelete)};
    EXPECT_EQ(shown(save(draft("t", 5, 0, "128"), sizes)), kSameCondition);
}

TEST(RuleSave, TheStoredRecordTakesTheCodeOfTheSelectedLine)
{
    const struct {
        uint8_t typ;
        int line;
        uint8_t sub;
    } cases[] = {{3, 6, 7}, {3, 7, 5}, {3, 11, 10}, {3, 12, 9}, {6, 1, 1}, {5, 0, 0}};
    for (const auto& c : cases) {
        RuleDraft d = draft("a", c.typ, c.line, "1");
        d.record.icon = 5;
        d.record.stat = 42;
        d.record.sub = 11;
        const RuleSaveOutcome outcome = save(d, {}, -1, {RuleSaveQuestion::SizeNotArchived});
        ASSERT_EQ(outcome.status, RuleSaveStatus::Accepted) << int(c.typ) << "/" << c.line;
        EXPECT_EQ(outcome.record.sub, c.sub) << int(c.typ) << "/" << c.line;
        EXPECT_EQ(outcome.record.icon, 0);
        EXPECT_EQ(outcome.record.stat, 42u);
    }
    // A stored rule opened and saved unchanged keeps its code and conflicts with nothing.
    const std::vector<RuleRecord> rules = {ruleRecord("a", 3, 10, "x", kArchiveDelete)};
    const RuleSaveOutcome same = save(draftOfRule(rules[0]), rules, 0);
    ASSERT_EQ(same.status, RuleSaveStatus::Accepted);
    EXPECT_EQ(same.record.sub, 10);
}

} // namespace
} // namespace kestrin::test
