#pragma once
// Runs kestrin-cli as a user would and captures what it prints.
#include <string>
#include <vector>

namespace kestrin::test {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

// The same with the file (a regular file, or a device such as /dev/zero) on
// its standard input; the child inherits our descriptor 0 for the run.
CliResult runCliWithInput(const std::vector<std::string>& args, const std::string& inputPath);

} // namespace kestrin::test
