#pragma once
#include "mail/string_line_source.h"

#include <cstddef>
#include <string>

namespace kestrin {

// The largest message file read: half again the largest message a check cycle
// fetches whole (64 MiB), as the file written from it grows by dot-stuffing
// and re-encoded parts. A larger file (or /dev/zero) is refused rather than
// read until memory runs out.
inline constexpr size_t kMaxMessageFileBytes = size_t{96} << 20;

// The lines of a message file (binary read, split like a POP3 answer).
class FileLineSource : public StringLineSource {
public:
    // Reads the whole file; false when it is missing or cannot be read. Throws
    // EIdMessageCannotLoad, naming the file and the bound, when it is larger than
    // kMaxMessageFileBytes.
    bool open(const std::string& fileName);
};

} // namespace kestrin
