#pragma once
// How fuzz_pop3_reply walks one input: the bytes as everything a hostile
// server sends, read as a reply, a multi-line block after a "+OK" reply, then
// again, until the lines run out. The replay test walks kept inputs the same way.
#include "mail/mail_errors.h"
#include "mail/pop3_reply.h"
#include "mail/string_line_source.h"

#include <string>
#include <string_view>

namespace kestrin {

// The number of whole replies read before the mail layer raised one of its own
// errors (the lines ended, an endless reply); any other exception escapes.
inline size_t walkPop3ReplyInput(std::string_view input)
{
    StringLineSource source{std::string(input)};
    size_t replies = 0;
    try {
        while (true) {
            const TIdReplyPOP3 reply = readPop3Reply(source);
            ++replies;
            if (reply.code == "+OK")
                readPop3Block(source);
            (void)reply.textAsMessage();
        }
    } catch (const EIdException&) {
    }
    return replies;
}

} // namespace kestrin
