#pragma once
// The JSON form of loaded records printed by `kestrin-cli records`: one object
// per record keyed by the column names, numbers and booleans typed.
#include "storage/records.h"

#include <nlohmann/json.hpp>

#include <vector>

namespace kestrin::cli {

nlohmann::ordered_json accountsJson(const std::vector<AccountRecord>& accounts, bool showPasswords);
nlohmann::ordered_json rulesJson(const std::vector<RuleRecord>& rules);
nlohmann::ordered_json friendsJson(const std::vector<FriendRecord>& friends);
nlohmann::ordered_json bayesWordsJson(const std::vector<BayesWordRecord>& words);

} // namespace kestrin::cli
