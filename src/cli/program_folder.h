#pragma once
#include "cli/cli_args.h"

#include <string>

namespace kestrin::cli {

// The program folder the command works on: --home DIR when given, otherwise
// the rule every Kestrin program follows.
std::string programFolder(const CliArgs& args);

} // namespace kestrin::cli
