#include "cli/load_message.h"

#include "mail/mail_errors.h"

#include <iostream>

namespace kestrin::cli {

bool loadMessageOrReport(const std::string& path, TIdMessage& message)
{
    try {
        message.loadFromFile(path);
        return true;
    } catch (const EIdException& e) {
        std::cerr << e.what() << '\n';
        return false;
    }
}

} // namespace kestrin::cli
