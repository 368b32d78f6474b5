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

} // namespace kestrin::test
