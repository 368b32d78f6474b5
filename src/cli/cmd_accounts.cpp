// `kestrin-cli accounts SUBCOMMAND ...`: the account page and the account
// editor from a terminal. The password is read from standard input, never
// from the command line, where other users could see it.
#include "cli/commands.h"
#include "cli/program_folder.h"
#include "cli/record_commands.h"
#include "cli/record_folder.h"
#include "engine/account_fields.h"
#include "engine/account_save.h"
#include "engine/connection_check.h"
#include "platform/qt_line_channel_factory.h"
#include "storage/settings_lists.h"
#include "text/cp1250.h"

#include <iostream>

namespace kestrin::cli {
namespace {

// The editor's boxes take no more than this.
constexpr size_t kTextLimit = 256;
constexpr size_t kPortLimit = 5;

struct SecurityWord {
    const char* word;
    const char* ssl;
    Pop3Security security;
};
constexpr SecurityWord kSecurityWords[] = {
    {"none", "0", Pop3Security::None},
    {"tls", "1", Pop3Security::Tls},
    {"stls", "2", Pop3Security::StartTls},
};

const SecurityWord& securityWord(const std::string& word)
{
    for (const SecurityWord& known : kSecurityWords) {
        if (word == known.word)
            return known;
    }
    throw UsageError("--security takes none, tls or stls");
}

std::string passwordFromInput()
{
    std::string line;
    std::getline(std::cin, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    line = utf8ToCp1250(line);
    if (line.size() > kTextLimit)
        throw UsageError("the password takes at most 256 characters");
    return line;
}

// A changed encryption proposes its port unless --pop3-port names one.
void applySecurity(const CliArgs& args, AccountRecord& account)
{
    if (!args.has("--security"))
        return;
    const SecurityWord& chosen = securityWord(args.value("--security"));
    const Pop3Security before = pop3SecurityFromText(account.ssl).value_or(Pop3Security::None);
    account.dopo = std::string(proposedPop3Port(account.dopo, before, chosen.security));
    account.ssl = chosen.ssl;
}

void applySize(const CliArgs& args, AccountRecord& account)
{
    if (args.has("--size") && args.has("--unlimited"))
        throw UsageError("--size and --unlimited exclude each other");
    if (args.has("--size"))
        account.size = textOption(args, "--size", kPortLimit);
    if (args.has("--unlimited"))
        account.size = std::string(kUnlimitedSizeText);
}

void applyReport(const CliArgs& args, AccountRecord& account)
{
    if (args.has("--no-report") && args.has("--report"))
        throw UsageError("--report and --no-report exclude each other");
    if (args.has("--no-report"))
        account.nrep = true;
    if (args.has("--report"))
        account.nrep = false;
}

void applyOptions(const CliArgs& args, AccountRecord& account)
{
    struct TextField {
        const char* option;
        std::string AccountRecord::*field;
        size_t limit;
    };
    static constexpr TextField kTextFields[] = {
        {"--name", &AccountRecord::name, kTextLimit}, {"--pop3", &AccountRecord::pop3, kTextLimit},
        {"--smtp", &AccountRecord::smtp, kTextLimit}, {"--smtp-port", &AccountRecord::uppo, kPortLimit},
        {"--user", &AccountRecord::user, kTextLimit},
    };
    for (const TextField& text : kTextFields) {
        if (args.has(text.option))
            account.*text.field = textOption(args, text.option, text.limit);
    }
    applySecurity(args, account);
    if (args.has("--pop3-port"))
        account.dopo = textOption(args, "--pop3-port", kPortLimit);
    applySize(args, account);
    applyReport(args, account);
    if (args.has("--password-stdin"))
        account.pass = passwordFromInput();
}

int saveAccount(const CliArgs& args, RecordFolder& folder, AccountRecord account, int editIndex)
{
    applyOptions(args, account);
    if (const std::optional<std::string> refusal = checkAccountSave(account, folder.data().accounts, editIndex)) {
        std::cerr << cp1250ToUtf8(*refusal) << '\n';
        return kExitRefused;
    }
    return storeRecord(folder, folder.data().accounts, account, editIndex, RecordKind::Accounts);
}

int addAccount(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (!operands.empty())
        throw UsageError("accounts add takes no ID");
    for (const char* option : {"--name", "--pop3", "--smtp", "--user", "--password-stdin"}) {
        if (!args.has(option))
            throw UsageError(std::string("accounts add needs ") + option);
    }
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    return saveAccount(args, folder, AccountRecord{}, -1);
}

int editAccount(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.size() != 1)
        throw UsageError("accounts edit takes one ID");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const size_t index = folder.recordIndex(RecordKind::Accounts, operands.front());
    return saveAccount(args, folder, folder.data().accounts[index], static_cast<int>(index));
}

int deleteAccounts(const CliArgs& args, const std::vector<std::string>& operands)
{
    return runRecordsDelete(args, operands, RecordKind::Accounts);
}

// Logs in and says QUIT, nothing else; exit 0 when the log-in succeeds.
int testAccount(const CliArgs& args, const std::vector<std::string>& operands)
{
    if (operands.size() != 1)
        throw UsageError("accounts test takes one ID");
    RecordFolder folder(programFolder(args), std::cerr);
    if (const auto refused = folder.open())
        return *refused;
    const Settings& settings = folder.data().settings;
    const AccountRecord account = folder.data().accounts[folder.recordIndex(RecordKind::Accounts, operands.front())];
    AccountConnectionCheck check(account, std::make_shared<QtLineChannelFactory>(settings.caFile),
                                 itemNumber(SettingsList::MailWait, settings.mailWait) * 1000);
    const ConnectionCheckResult result = check.run();
    std::cout << cp1250ToUtf8(result.pop3Text) << '\n' << cp1250ToUtf8(result.smtpText) << '\n';
    return result.loggedIn ? 0 : kExitRefused;
}

constexpr RecordSubcommandEntry kAccountsSubcommands[] = {
    {"add", addAccount},
    {"edit", editAccount},
    {"delete", deleteAccounts},
    {"test", testAccount},
};

} // namespace

int runAccounts(const CliArgs& args)
{
    return runRecordSubcommand(args, "accounts", kAccountsSubcommands);
}

} // namespace kestrin::cli
