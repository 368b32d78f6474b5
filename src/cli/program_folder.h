#pragma once
#include "cli/cli_args.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace kestrin::cli {

// A --home value that names no usable folder; the command ends with
// kExitInputError before it reads or writes anything.
class HomeFolderError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// --home's value when given; throws HomeFolderError when it is empty or names
// something that is not a folder.
std::optional<std::string> homeOption(const CliArgs& args);

// The program folder the command works on: --home DIR when given, otherwise
// the rule every Kestrin program follows. Temporary files that a killed run
// left there are removed first.
std::string programFolder(const CliArgs& args);

} // namespace kestrin::cli
