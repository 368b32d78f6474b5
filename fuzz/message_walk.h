#pragma once
// How fuzz_message walks one input: the bytes as a RETR answer, header
// processing and body decoding. The replay test walks kept inputs the same way.
#include "mail/mail_errors.h"
#include "mail/message.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <string>
#include <string_view>

namespace kestrin {

// True when the mail layer raised one of its own errors; any other exception escapes.
inline bool walkMessageInput(std::string_view input)
{
    StringLineSource source{std::string(input)};
    TIdMessage message;
    try {
        readMessage(message, source);
    } catch (const EIdException&) {
        return true;
    }
    return false;
}

} // namespace kestrin
