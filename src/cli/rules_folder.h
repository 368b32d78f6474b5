#pragma once
// The program folder as the `rules` subcommands change it: the single-instance
// lock held from the load to the write, so that a running tray program cannot
// replace the change with its own rules at its save-all; the load-all
// sequence for the rules and the settings they are checked against; one write
// of the rule file.
#include "platform/single_instance.h"
#include "storage/program_data.h"

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

namespace kestrin::cli {

class RulesFolder {
public:
    RulesFolder(std::string programFolder, std::ostream& err);

    // Takes the lock and loads. An exit status when the command must end
    // here, having written nothing.
    std::optional<int> open();
    ProgramData& data() { return data_; }
    // Writes the rule file; 0, or an exit status with the program's message.
    int saveRules();
    // The rule a user's ID names (IDs as the rule page shows them, from 0);
    // throws RuleIdError for anything else.
    size_t ruleIndex(const std::string& id) const;

private:
    std::string programFolder_;
    std::ostream& err_;
    SingleInstanceLock lock_;
    ProgramData data_;
};

class RuleIdError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace kestrin::cli
