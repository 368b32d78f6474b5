#pragma once
// How fuzz_smtp_reply walks one input: the bytes as everything a hostile SMTP
// server sends, split into lines the way the line channel splits them, read
// reply after reply. The replay test walks kept inputs the same way.
#include "mail/mail_errors.h"
#include "mail/smtp_reply.h"

#include <optional>
#include <string>
#include <string_view>

namespace kestrin {

// What is wrong with a reply the reader produced, or nullopt when it holds.
inline std::optional<std::string> smtpReplyFault(const TIdReplySMTP& reply)
{
    if (reply.text.empty() || reply.text.size() > kMaxSmtpReplyLines)
        return "line count " + std::to_string(reply.text.size());
    if (reply.code < 0 || reply.code > 999) // three digits, "054" included
        return "code " + std::to_string(reply.code);
    if (reply.text.front().compare(0, reply.enhancedCode.size(), reply.enhancedCode) != 0)
        return "enhanced code not at the start of the text";
    return std::nullopt;
}

// Reads replies until the input runs out; nullopt when every reply held and
// only the mail layer's own errors were raised (any other exception escapes).
inline std::optional<std::string> walkSmtpReplyInput(std::string_view input)
{
    size_t at = 0;
    const auto nextLine = [&] {
        if (at >= input.size())
            throw EIdConnClosedGracefully("Connection Closed Gracefully.");
        size_t end = input.find('\n', at);
        if (end == std::string_view::npos)
            end = input.size();
        std::string line(input.substr(at, end - at));
        at = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return line;
    };
    try {
        while (at < input.size()) {
            if (auto fault = smtpReplyFault(readSmtpReply(nextLine)))
                return fault;
        }
    } catch (const EIdException&) {
    }
    return std::nullopt;
}

} // namespace kestrin
