// `rules add` and `rules edit`: the rule editor's save from a terminal. The
// options are the editor's controls; an edit starts from the stored rule.
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_commands.h"
#include "cli/record_folder.h"
#include "engine/rule_save.h"
#include "engine/rule_vocabulary.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {
namespace {

// The editor's text boxes take no more than this.
constexpr size_t kShortTextLimit = 256;
constexpr size_t kReplyTextLimit = 10000;

uint8_t codeOption(const CliArgs& args, const std::string& option)
{
    const long long code = args.number(option);
    if (code < 0 || code > 255)
        throw UsageError(option + " takes a number from 0 to 255");
    return static_cast<uint8_t>(code);
}

bool givesActions(const CliArgs& args)
{
    return args.has("--archive") || args.has("--forward") || args.has("--reply") || args.has("--delete");
}

// Given action options replace all four marks; the forward address and the
// reply text of an unmarked action stay, as the editor keeps them.
void applyActions(const CliArgs& args, RuleRecord& rule)
{
    rule.act = {args.has("--archive"), args.has("--forward"), args.has("--reply"), args.has("--delete")};
    if (args.has("--forward"))
        rule.sendto = textOption(args, "--forward", kShortTextLimit);
    if (args.has("--reply"))
        rule.restr = textOption(args, "--reply", kReplyTextLimit);
}

// A new field starts at the first condition, as the editor's field change does.
void applyCondition(const CliArgs& args, RuleDraft& draft)
{
    if (args.has("--typ")) {
        const uint8_t typ = codeOption(args, "--typ");
        if (typ != draft.record.typ)
            draft.conditionLine = 0;
        draft.record.typ = typ;
    }
    if (args.has("--sub"))
        draft.conditionLine = conditionPosition(draft.record.typ, codeOption(args, "--sub"));
}

void applyOptions(const CliArgs& args, RuleDraft& draft)
{
    if (args.has("--name"))
        draft.record.name = textOption(args, "--name", kShortTextLimit);
    applyCondition(args, draft);
    if (args.has("--value"))
        draft.record.str = textOption(args, "--value", kShortTextLimit);
    if (givesActions(args))
        applyActions(args, draft.record);
    if (args.has("--nofri"))
        draft.record.nofri = true;
}

// --yes answers every question as it comes.
RuleSaveOutcome answeredSave(const RuleDraft& draft, const ProgramData& data, int editIndex, bool yesToAll)
{
    const SmtpSetup smtp{data.settings.smtpHost, data.settings.smtpPort, data.settings.smtpMail};
    std::set<RuleSaveQuestion> yes;
    for (;;) {
        RuleSaveOutcome outcome = checkRuleSave(draft, data.rules, editIndex, smtp, yes);
        if (outcome.status != RuleSaveStatus::Asked || !yesToAll)
            return outcome;
        yes.insert(outcome.question);
    }
}

int saveRule(const CliArgs& args, RecordFolder& folder, RuleDraft draft, int editIndex)
{
    applyOptions(args, draft);
    const RuleSaveOutcome outcome = answeredSave(draft, folder.data(), editIndex, args.has("--yes"));
    switch (outcome.status) {
    case RuleSaveStatus::Refused:
        std::cerr << cp1250ToUtf8(outcome.text) << '\n';
        return kExitRefused;
    case RuleSaveStatus::Asked:
        return unansweredQuestion(outcome.text);
    case RuleSaveStatus::Accepted:
        break;
    }
    return storeRecord(folder, folder.data().rules, outcome.record, editIndex, RecordKind::Rules);
}

} // namespace

int runRulesAdd(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (!operands.empty())
        throw UsageError("rules add takes no ID");
    for (const char* option : {"--name", "--typ", "--sub", "--value"}) {
        if (!args.has(option))
            throw UsageError(std::string("rules add needs ") + option);
    }
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    RuleDraft draft;
    draft.record.act = {false, false, false, false};
    return saveRule(args, folder, draft, -1);
}

int runRulesEdit(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.size() != 1)
        throw UsageError("rules edit takes one ID");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const size_t index = folder.recordIndex(RecordKind::Rules, operands.front());
    return saveRule(args, folder, draftOfRule(folder.data().rules[index]), static_cast<int>(index));
}

} // namespace kestrin::cli
