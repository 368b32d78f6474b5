#pragma once
// What the account, rule and friend pages ask before they delete the selected
// records; kestrin-cli asks the same.
#include "storage/record_tables.h"

#include <cstddef>
#include <string>

namespace kestrin {

// The confirmation for count records (Windows-1250; its two lines end with CR
// LF); empty for the Bayes words, which no page deletes this way.
std::string recordDeletionQuestion(RecordKind kind, size_t count);

} // namespace kestrin
