#pragma once
// Folding of long header lines (RFC 2822 2.2.3).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

inline constexpr size_t kMaxHeaderLineLength = 78;

// The line cut into a first line and continuation lines (each beginning with
// the blank it was cut at) of at most maxLength characters. Cuts fall only on a
// single space between two non-blank characters after the field name, so
// unfolding (trimmed parts joined by one space) gives the value back exactly.
// A stretch without such a space stays longer rather than being broken.
std::vector<std::string> foldHeaderLine(std::string_view line, size_t maxLength = kMaxHeaderLineLength);

} // namespace kestrin
