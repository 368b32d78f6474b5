// kestrin-cli rules overlaps [--delete]: the similar-rule search, and with
// --delete the deletion of every rule it lists, written in one save.
#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_commands.h"
#include "cli/record_folder.h"
#include "engine/rule_overlaps.h"
#include "storage/record_tables.h"
#include "text/cp1250.h"

#include <nlohmann/json.hpp>

#include <exception>
#include <iostream>

namespace kestrin::cli {
namespace {

nlohmann::ordered_json overlapsJson(const std::vector<OverlapLine>& lines)
{
    auto json = nlohmann::ordered_json::array();
    for (const OverlapLine& line : lines)
        json.push_back(
            {{"id", line.id}, {"name", cp1250ToUtf8(line.name)}, {"covered_by", cp1250ToUtf8(line.coveredBy)}});
    return json;
}

int printFailure(const std::exception& e)
{
    std::cerr << cp1250ToUtf8(e.what()) << '\n';
    return kExitInputError;
}

// The folder's lock keeps a running window from writing its older rule list over ours at save-all.
int deleteOverlaps(const std::string& folder)
{
    RecordFolder rules(folder, std::cerr);
    if (const std::optional<int> refused = rules.open())
        return *refused;
    const std::vector<OverlapLine> lines = findOverlappingRules(rules.data().rules);
    if (!lines.empty()) {
        rules.data().rules = deleteCheckedOverlaps(rules.data().rules, lines).rules;
        if (const int status = rules.save(RecordKind::Rules))
            return status;
    }
    std::cout << overlapsJson(lines).dump(2) << '\n';
    return 0;
}

} // namespace

int runRulesOverlaps(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (!operands.empty())
        throw UsageError("overlaps takes no FILE, only --home DIR and --delete");
    const std::string folder = programFolder(args);
    try {
        if (args.has("--delete"))
            return deleteOverlaps(folder);
        std::cout << overlapsJson(findOverlappingRules(loadRules(folder))).dump(2) << '\n';
        return 0;
    } catch (const std::exception& e) {
        return printFailure(e);
    }
}

} // namespace kestrin::cli
