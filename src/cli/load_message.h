#pragma once
#include "mail/message.h"

#include <string>

namespace kestrin::cli {

// Loads a message file the way the program reads a fetched message. A file that
// cannot be read or parsed has its error printed on stderr; false then.
bool loadMessageOrReport(const std::string& path, TIdMessage& message);

} // namespace kestrin::cli
