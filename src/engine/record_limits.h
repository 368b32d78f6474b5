#pragma once
// How many records of each kind the editors add, and what they say at the limit.
#include "storage/record_tables.h"

#include <cstddef>
#include <string>

namespace kestrin {

inline constexpr size_t kMaxAccounts = 100;
inline constexpr size_t kMaxRules = 1000;
inline constexpr size_t kMaxFriends = 1000;

size_t recordLimit(RecordKind kind);
// "Nie można dodać więcej niż N ..." for the kind (Windows-1250).
std::string recordLimitText(RecordKind kind);

} // namespace kestrin
