#pragma once
#include "cli/cli_args.h"

#include <string>

namespace kestrin::cli {

// The program folder the command works on: --home DIR when given; otherwise the
// executable's folder when it already holds config/ or is writable (portable
// use); otherwise $XDG_DATA_HOME/kestrin (default ~/.local/share/kestrin).
std::string programFolder(const CliArgs& args);

} // namespace kestrin::cli
