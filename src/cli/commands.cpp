#include "cli/commands.h"

namespace kestrin::cli {

const std::vector<Command>& commandTable()
{
    static const std::vector<Command> table = {
        {"parse", "parse FILE", runParse},
        {"eval-rule",
         "eval-rule --typ N --sub N --value TEXT [--size BYTES] [--header-only] [--delhtml] [--delchars LIST] FILE",
         runEvalRule},
        {"settings", "settings [--home DIR]", runSettings},
        {"report", "report [--home DIR]", runReport},
        {"records", "records [--home DIR] [--show-passwords]", runRecords},
        {"db", "db dump|load [--home DIR] FILE", runDb},
        {"check", "check [--home DIR] [--cycles N]", runCheck},
        {"watch", "watch [--home DIR]", runWatch},
        {"classify", "classify [--home DIR] [--size BYTES] [--header-only] FILE", runClassify},
    };
    return table;
}

} // namespace kestrin::cli
