#pragma once
// Command-line arguments of one kestrin-cli command: positional words and
// "--name value" / "--flag" options, checked against what the command accepts.
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace kestrin::cli {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CliArgs {
public:
    // valueOptions take the next word as their value; flagOptions stand alone.
    CliArgs(const std::vector<std::string>& words, const std::set<std::string>& valueOptions,
            const std::set<std::string>& flagOptions);

    const std::vector<std::string>& positional() const { return positional_; }
    bool has(const std::string& option) const;
    std::string value(const std::string& option, const std::string& fallback = {}) const;
    // A required option holding a whole decimal number.
    long long number(const std::string& option) const;
    long long number(const std::string& option, long long fallback) const;

private:
    std::vector<std::string> positional_;
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// A whole command line taken apart: the command word and every other word in
// order. The command word is the first word that is neither an option nor the
// value of one, so options may stand before or after it ("--home DIR check",
// "check --home DIR"), as in git-style tools. valueOptions: the options that
// take the next word as their value. No command word gives nullopt.
struct CommandLineWords {
    std::string command;
    std::vector<std::string> rest;
};
std::optional<CommandLineWords> findCommandWord(const std::vector<std::string>& words,
                                                const std::set<std::string>& valueOptions);

} // namespace kestrin::cli
