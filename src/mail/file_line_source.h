#pragma once
#include "mail/string_line_source.h"

#include <string>

namespace kestrin {

// The lines of a message file (binary read, split like a POP3 answer).
class FileLineSource : public StringLineSource {
public:
    // Reads the whole file; false when it is missing or cannot be read.
    bool open(const std::string& fileName);
};

} // namespace kestrin
