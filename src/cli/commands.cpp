#include "cli/commands.h"

namespace kestrin::cli {

const std::vector<Command>& commandTable()
{
    static const std::vector<Command> table = {
        {"parse", "parse FILE", {}, {}, runParse},
        {"eval-rule",
         "eval-rule --typ N --sub N --value TEXT [--size BYTES] [--header-only] [--delhtml] [--delchars LIST] FILE",
         {"--typ", "--sub", "--value", "--size", "--delchars"},
         {"--header-only", "--delhtml"},
         runEvalRule},
        {"settings", "settings [--home DIR]", {"--home"}, {}, runSettings},
        {"report",
         "report [--home DIR] | report mark N --good|--spam [--home DIR]  (N as `report` prints the lines, from 0)",
         {"--home"},
         {"--good", "--spam"},
         runReport},
        {"stats", "stats [--home DIR]", {"--home"}, {}, runStats},
        {"records", "records [--home DIR] [--show-passwords]", {"--home"}, {"--show-passwords"}, runRecords},
        {"db", "db dump|load [--home DIR] FILE", {"--home"}, {}, runDb},
        {"check", "check [--home DIR] [--cycles N]", {"--home", "--cycles"}, {}, runCheck},
        {"watch", "watch [--home DIR]", {"--home"}, {}, runWatch},
        {"classify",
         "classify [--home DIR] [--size BYTES] [--header-only] FILE",
         {"--home", "--size"},
         {"--header-only"},
         runClassify},
        {"rules",
         "rules add|edit ID|delete ID... [--home DIR] [--name NAME] [--typ N] [--sub N] [--value TEXT] [--archive] "
         "[--forward ADDRESS] [--reply TEXT] [--delete] [--nofri] [--yes]  (IDs as the rule page shows them, from 0)",
         {"--home", "--name", "--typ", "--sub", "--value", "--forward", "--reply"},
         {"--archive", "--delete", "--nofri", "--yes"},
         runRules},
        {"accounts",
         "accounts add|edit ID|delete ID...|test ID [--home DIR] [--name NAME] [--pop3 HOST] [--pop3-port PORT] "
         "[--smtp HOST] [--smtp-port PORT] [--user USER] [--password-stdin] [--size KB | --unlimited] "
         "[--no-report | --report] [--security none|tls|stls] [--yes]  (the password is the first line of standard "
         "input)",
         {"--home", "--name", "--pop3", "--pop3-port", "--smtp", "--smtp-port", "--user", "--size", "--security"},
         {"--password-stdin", "--unlimited", "--no-report", "--report", "--yes"},
         runAccounts},
        {"friends",
         "friends add|edit ID|delete ID...|import [FILE] [--home DIR] [--name NAME] [--mail ADDRESS] [--yes] "
         "[--silent]",
         {"--home", "--name", "--mail"},
         {"--yes", "--silent"},
         runFriends},
    };
    return table;
}

std::set<std::string> valueOptionsOfAllCommands()
{
    std::set<std::string> options;
    for (const Command& command : commandTable())
        options.insert(command.valueOptions.begin(), command.valueOptions.end());
    return options;
}

} // namespace kestrin::cli
