#include "cli/cli_args.h"
#include "cli/commands.h"
#include "cli/message_json.h"
#include "mail/mail_errors.h"

#include <iostream>

namespace kestrin::cli {

int runParse(const std::vector<std::string>& words)
{
    const CliArgs args(words, {}, {});
    if (args.positional().size() != 1)
        throw UsageError("expects exactly one FILE");
    TIdMessage message;
    try {
        message.loadFromFile(args.positional().front());
    } catch (const EIdException& e) {
        std::cerr << e.what() << '\n';
        return kExitInputError;
    }
    std::cout << messageJson(message).dump(2) << '\n';
    return 0;
}

} // namespace kestrin::cli
