#pragma once
// A record database file counts its rows in 16 bits.
#include <cstddef>

namespace kestrin {

inline constexpr size_t kMaxRecordRows = 65535;

} // namespace kestrin
