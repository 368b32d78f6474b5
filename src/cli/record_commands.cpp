#include "cli/record_commands.h"

#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_folder.h"
#include "engine/record_deletion.h"
#include "engine/record_erase.h"
#include "text/cp1250.h"

#include <iostream>
#include <set>

namespace kestrin::cli {

int runRecordSubcommand(const CliArgs& args, const std::string& command,
                        std::span<const RecordSubcommandEntry> subcommands)
{
    if (args.positional().empty())
        throw UsageError("expects a subcommand");
    const std::string& name = args.positional().front();
    const std::vector<std::string> operands(args.positional().begin() + 1, args.positional().end());
    for (const RecordSubcommandEntry& entry : subcommands) {
        if (name != entry.name)
            continue;
        try {
            return entry.run(args, operands);
        } catch (const RecordIdError& e) {
            std::cerr << "kestrin-cli " << command << ' ' << name << ": " << e.what() << "; nothing was changed.\n";
            return kExitInputError;
        }
    }
    throw UsageError("unknown subcommand " + name);
}

int runRecordsDelete(const CliArgs& args, const std::vector<std::string>& operands, RecordKind kind)
{
    if (operands.empty())
        throw UsageError("delete takes one or more IDs");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    // Every ID is checked before anything goes.
    std::set<size_t> indexes;
    for (const std::string& id : operands)
        indexes.insert(folder.recordIndex(kind, id));
    if (!args.has("--yes"))
        return unansweredQuestion(recordDeletionQuestion(kind, indexes.size()));
    eraseRecordsOfKind(folder.data(), kind, {indexes.begin(), indexes.end()});
    return folder.save(kind);
}

int unansweredQuestion(const std::string& cp1250Text)
{
    std::string text = cp1250ToUtf8(cp1250Text);
    for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
    std::cerr << text << "\nkestrin-cli: answer Yes with --yes; nothing was changed.\n";
    return kExitQuestion;
}

std::string textOption(const CliArgs& args, const std::string& option, size_t limit)
{
    std::string text = utf8ToCp1250(args.value(option));
    if (text.size() > limit)
        throw UsageError(option + " takes at most " + std::to_string(limit) + " characters");
    return text;
}

} // namespace kestrin::cli
