#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/load_message.h"
#include "cli/message_json.h"

#include <iostream>

namespace kestrin::cli {

int runParse(const CliArgs& args)
{
    if (args.positional().size() != 1)
        throw UsageError("expects exactly one FILE");
    TIdMessage message;
    if (!loadMessageOrReport(args.positional().front(), message))
        return kExitInputError;
    std::cout << messageJson(message).dump(2) << '\n';
    return 0;
}

} // namespace kestrin::cli
