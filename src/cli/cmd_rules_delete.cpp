// `rules delete ID...`: the rule page's deletion of its selected rows, asked
// once and written once.
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/rules_commands.h"
#include "cli/rules_folder.h"
#include "engine/record_erase.h"
#include "engine/rule_deletion.h"

#include <iostream>
#include <set>

namespace kestrin::cli {

int runRulesDelete(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.empty())
        throw UsageError("rules delete takes one or more IDs");
    RulesFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    // Every ID is checked before anything goes.
    std::set<size_t> indexes;
    for (const std::string& id : operands)
        indexes.insert(folder.ruleIndex(id));
    if (!args.has("--yes"))
        return unansweredQuestion(ruleDeletionQuestion(indexes.size()));
    eraseRecordsAt(folder.data().rules, {indexes.begin(), indexes.end()});
    return folder.saveRules();
}

} // namespace kestrin::cli
