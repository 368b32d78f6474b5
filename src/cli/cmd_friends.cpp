// `kestrin-cli friends SUBCOMMAND ...`: the friend page, the friend editor and
// the address-book import from a terminal.
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_commands.h"
#include "cli/record_folder.h"
#include "engine/friend_import.h"
#include "engine/friend_save.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {
namespace {

// The editor's boxes take no more than this.
constexpr size_t kTextLimit = 256;

int saveFriend(const CliArgs& args, RecordFolder& folder, FriendRecord candidate, int editIndex)
{
    if (args.has("--name"))
        candidate.name = textOption(args, "--name", kTextLimit);
    if (args.has("--mail"))
        candidate.mail = textOption(args, "--mail", kTextLimit);
    const FriendSaveOutcome outcome = checkFriendSave(candidate, folder.data().friends, editIndex, args.has("--yes"));
    switch (outcome.status) {
    case FriendSaveStatus::Refused:
        std::cerr << cp1250ToUtf8(outcome.text) << '\n';
        return kExitRefused;
    case FriendSaveStatus::Asked:
        return unansweredQuestion(outcome.text);
    case FriendSaveStatus::Accepted:
        break;
    }
    return storeRecord(folder, folder.data().friends, candidate, editIndex, RecordKind::Friends);
}

int addFriend(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (!operands.empty())
        throw UsageError("friends add takes no ID");
    for (const char* option : {"--name", "--mail"}) {
        if (!args.has(option))
            throw UsageError(std::string("friends add needs ") + option);
    }
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    return saveFriend(args, folder, FriendRecord{}, -1);
}

int editFriend(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.size() != 1)
        throw UsageError("friends edit takes one ID");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const size_t index = folder.recordIndex(RecordKind::Friends, operands.front());
    return saveFriend(args, folder, folder.data().friends[index], static_cast<int>(index));
}

int deleteFriends(const CliArgs& args, const std::vector<std::string>& operands)
{
    return runRecordsDelete(args, operands, RecordKind::Friends);
}

// Ready: asked unless --silent, answered by --yes; the additions written once.
int applyImport(const CliArgs& args, RecordFolder& folder, const FriendImportPlan& plan)
{
    if (!args.has("--silent") && !args.has("--yes"))
        return unansweredQuestion(plan.question);
    std::vector<FriendRecord>& friends = folder.data().friends;
    friends.insert(friends.end(), plan.additions.begin(), plan.additions.end());
    if (const int status = folder.save(RecordKind::Friends))
        return status;
    std::cout << plan.additions.size() << '\n';
    return 0;
}

// FILE stands for the configured book; the rest is the import's steps. A book
// that cannot be read exits 2, the limit and an empty book exit 1 (silently
// with --silent).
int importFriends(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.size() > 1)
        throw UsageError("friends import takes at most one FILE");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const FriendImportPlan plan = planFriendImport(
        operands.empty() ? folder.data().settings.addressBookFile : operands.front(), folder.data().friends);
    switch (plan.outcome) {
    case FriendImportPlan::Outcome::Ready:
        return applyImport(args, folder, plan);
    case FriendImportPlan::Outcome::Error:
        std::cerr << cp1250ToUtf8(plan.boxText) << '\n';
        return kExitInputError;
    case FriendImportPlan::Outcome::Limit:
    case FriendImportPlan::Outcome::EmptyBook:
        break;
    }
    if (args.has("--silent"))
        return 0;
    std::cerr << cp1250ToUtf8(plan.boxText) << '\n';
    return kExitRefused;
}

constexpr RecordSubcommandEntry kFriendsSubcommands[] = {
    {"add", addFriend},
    {"edit", editFriend},
    {"delete", deleteFriends},
    {"import", importFriends},
};

} // namespace

int runFriends(const CliArgs& args)
{
    return runRecordSubcommand(args, "friends", kFriendsSubcommands);
}

} // namespace kestrin::cli
