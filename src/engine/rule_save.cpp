#include "engine/rule_save.h"

#include "engine/record_limits.h"
#include "engine/rule_vocabulary.h"
#include "text/ascii_case.h"
#include "text/cp1250.h"

#include <functional>

namespace kestrin {
namespace {

using Step = std::optional<RuleSaveOutcome>;

struct SaveInput {
    const RuleDraft& draft;
    const std::vector<RuleRecord>& rules;
    int editIndex;
    const SmtpSetup& smtp;
    const std::set<RuleSaveQuestion>& yes;
};

constexpr size_t kForward = 1;
constexpr size_t kReply = 2;

RuleSaveOutcome refusal(const std::string& text)
{
    return {RuleSaveStatus::Refused, text, winLiteral("Błąd dodawania reguły wiadomości"), {}, {}};
}

Step refuseIf(bool condition, const char* utf8Text)
{
    return condition ? Step(refusal(winLiteral(utf8Text))) : std::nullopt;
}

// A question already answered Yes lets the save go on.
Step askIf(bool condition, const SaveInput& in, RuleSaveQuestion question, const char* utf8Text,
           const char* utf8Caption = "Błąd dodawania reguły wiadomości")
{
    if (!condition || in.yes.count(question) != 0)
        return std::nullopt;
    return RuleSaveOutcome{RuleSaveStatus::Asked, winLiteral(utf8Text), winLiteral(utf8Caption), question, {}};
}

bool isField(const RuleRecord& rule, RuleField field)
{
    return rule.typ == static_cast<uint8_t>(field);
}

std::string conditionLineText(int typ, int line)
{
    if (typ < 0 || static_cast<size_t>(typ) >= kRuleFieldCount || line < 0 ||
        static_cast<size_t>(line) >= kConditionPositionCount)
        return {};
    const std::string& text = conditionNames()[static_cast<size_t>(typ)][static_cast<size_t>(line)];
    return text == kMissingCondition ? std::string() : text;
}

bool isOtherRule(size_t index, const SaveInput& in)
{
    return in.editIndex < 0 || index != static_cast<size_t>(in.editIndex);
}

Step ruleLimit(const SaveInput& in)
{
    if (in.editIndex >= 0 || in.rules.size() < kMaxRules)
        return std::nullopt;
    return refusal(recordLimitText(RecordKind::Rules));
}

Step missingText(const SaveInput& in)
{
    const RuleRecord& r = in.draft.record;
    return refuseIf(r.name.empty() || (r.act[kForward] && r.sendto.empty()) || (r.act[kReply] && r.restr.empty()),
                    "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wprowadziłeś jej treści!");
}

Step missingCondition(const SaveInput& in)
{
    return refuseIf(conditionLineText(in.draft.record.typ, in.draft.conditionLine).empty(),
                    "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrałeś dla niej warunku logicznego!");
}

Step emptyValue(const SaveInput& in)
{
    return askIf(in.draft.record.str.empty(), in, RuleSaveQuestion::EmptyValue,
                 "Nie podano treści tej reguły wiadomości! Czy mimo to chcesz dodać aktualną regułę wiadomości?");
}

Step doubleSpace(const SaveInput& in)
{
    return askIf(in.draft.record.str.find("  ") != std::string::npos, in, RuleSaveQuestion::DoubleSpace,
                 "Treść reguły zawiera dwa lub więcej znaki spacji znajdujące się obok siebie, co może powodować "
                 "nieprawidłową interpretację reguły wiadomości! Czy mimo to chcesz dodać aktualną regułę wiadomości?");
}

Step noAction(const SaveInput& in)
{
    const auto& act = in.draft.record.act;
    return refuseIf(!act[0] && !act[1] && !act[2] && !act[3],
                    "Nie można dodać/edytować nowej reguły wiadomości gdyż nie wybrano żadnej akcji dla niej!");
}

Step missingSmtp(const SaveInput& in)
{
    const auto& act = in.draft.record.act;
    const bool sends = act[kForward] || act[kReply];
    const bool unset = in.smtp.host.empty() || in.smtp.port.empty() || in.smtp.sender.empty();
    return refuseIf(sends && unset, "Nie można dodać/edytować nowej reguły wiadomości gdyż dla wybranych akcji nie "
                                    "został ustawiony serwer SMTP w opcjach programu!");
}

Step sizeNotDigits(const SaveInput& in)
{
    const RuleRecord& r = in.draft.record;
    return refuseIf(isField(r, RuleField::Size) && r.str.find_first_not_of("0123456789") != std::string::npos,
                    "Nie można dodać/edytować nowej reguły wiadomości gdyż dane jej treści są nieprawidłowe!");
}

// Names are compared with ASCII case folded only, so "Ś" and "ś" stay apart;
// conditions by field, list line and the exact value. Actions do not count.
Step conflict(const SaveInput& in)
{
    const RuleRecord& draft = in.draft.record;
    const std::string name = lowerAscii(draft.name);
    for (size_t i = 0; i < in.rules.size(); ++i) {
        if (!isOtherRule(i, in))
            continue;
        const RuleRecord& stored = in.rules[i];
        if (lowerAscii(stored.name) == name)
            return refusal(winLiteral("Reguła wiadomości o podanej nazwie już istnieje!"));
        if (stored.typ == draft.typ && conditionPosition(stored.typ, stored.sub) == in.draft.conditionLine &&
            stored.str == draft.str)
            return refusal(winLiteral("Reguła wiadomości o podanych warunkach już istnieje!"));
    }
    return std::nullopt;
}

Step valueAddress(const SaveInput& in)
{
    const RuleRecord& r = in.draft.record;
    const bool addressField = isField(r, RuleField::Sender) || isField(r, RuleField::Recipient);
    return askIf(addressField && r.str.find('@') == std::string::npos, in, RuleSaveQuestion::ValueAddress,
                 "Podany adres e-mail w polu treści wiadomości jest nieprawidłowy! Czy mimo to chcesz dodać aktualną "
                 "regułę wiadomości?");
}

Step forwardAddress(const SaveInput& in)
{
    const RuleRecord& r = in.draft.record;
    return askIf(r.act[kForward] && r.sendto.find('@') == std::string::npos, in, RuleSaveQuestion::ForwardAddress,
                 "Podany adres wiadomości jest nieprawidłowy! Czy mimo to chcesz dodać aktualną regułę wiadomości?");
}

// A message deleted for its size is deleted by its header alone, whatever the
// rule's archive mark says.
Step sizeNotArchived(const SaveInput& in)
{
    return askIf(isField(in.draft.record, RuleField::Size), in, RuleSaveQuestion::SizeNotArchived,
                 "Wiadomości pocztowe usunięte za pomocą aktualnej reguły nie będą archiwizowane! Czy mimo to chcesz "
                 "dodać aktualną regułę wiadomości?",
                 "Dodawanie reguły wiadomości");
}

RuleRecord storedRecord(const RuleDraft& draft)
{
    RuleRecord record = draft.record;
    record.icon = 0;
    record.sub = static_cast<uint8_t>(conditionCode(record.typ, draft.conditionLine));
    return record;
}

} // namespace

RuleDraft draftOfRule(const RuleRecord& rule)
{
    return {rule, conditionPosition(rule.typ, rule.sub)};
}

RuleSaveOutcome checkRuleSave(const RuleDraft& draft, const std::vector<RuleRecord>& rules, int editIndex,
                              const SmtpSetup& smtp, const std::set<RuleSaveQuestion>& yes)
{
    if (editIndex >= 0 && static_cast<size_t>(editIndex) >= rules.size())
        return refusal({});
    static const std::function<Step(const SaveInput&)> steps[] = {
        ruleLimit,   missingText,   missingCondition, emptyValue,   doubleSpace,    noAction,
        missingSmtp, sizeNotDigits, conflict,         valueAddress, forwardAddress, sizeNotArchived,
    };
    const SaveInput in{draft, rules, editIndex, smtp, yes};
    for (const auto& step : steps) {
        if (Step outcome = step(in))
            return *outcome;
    }
    RuleSaveOutcome accepted;
    accepted.record = storedRecord(draft);
    return accepted;
}

} // namespace kestrin
