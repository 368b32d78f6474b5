#pragma once
// The JSON form of a parsed message printed by `kestrin-cli parse`.
#include "mail/message.h"

#include <nlohmann/json.hpp>

namespace kestrin::cli {

nlohmann::ordered_json messageJson(const TIdMessage& message);

} // namespace kestrin::cli
