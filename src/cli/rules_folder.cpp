#include "cli/rules_folder.h"

#include "cli/commands.h"
#include "cli/start_refusals.h"
#include "storage/config_messages.h"
#include "storage/record_tables.h"
#include "text/convert_error.h"
#include "text/cp1250.h"
#include "text/strict_integer.h"

namespace kestrin::cli {

RulesFolder::RulesFolder(std::string programFolder, std::ostream& err)
    : programFolder_(std::move(programFolder)), err_(err)
{
}

std::optional<int> RulesFolder::open()
{
    if (!lock_.tryLock()) {
        printSecondCopy(lock_, err_);
        return kExitInputError;
    }
    const LoadResult loaded = loadAll(programFolder_, data_, localNow());
    if (loaded.failure != LoadFailure::None) {
        printLoadFailure(loaded, err_);
        return kExitInputError;
    }
    return std::nullopt;
}

int RulesFolder::saveRules()
{
    try {
        kestrin::saveRules(programFolder_, data_.rules);
    } catch (const std::exception& e) {
        err_ << cp1250ToUtf8(configSaveErrorText()) << " (" << e.what() << ")\n";
        return kExitRefused;
    }
    return 0;
}

size_t RulesFolder::ruleIndex(const std::string& id) const
{
    const auto count = static_cast<int64_t>(data_.rules.size());
    try {
        if (count > 0)
            return static_cast<size_t>(strictIntegerInRange(id, 0, count - 1));
    } catch (const EConvertError&) {
    }
    throw RuleIdError("no rule with ID " + id + " (" + std::to_string(count) + " rules, IDs from 0)");
}

} // namespace kestrin::cli
