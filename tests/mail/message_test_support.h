#pragma once
// Small helpers shared by the message reader tests.
#include "mail/message.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace kestrin::test {

// Lines joined the way a server sends them: each followed by CR LF.
inline std::string crlfLines(std::initializer_list<std::string_view> lines)
{
    std::string text;
    for (std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// Reads only the body into a message whose header properties the test set by hand.
inline void readBodyText(TIdMessage& message, std::string text)
{
    StringLineSource source(std::move(text));
    readMessageBody(message, source);
}

inline TIdMessage mimeMessage(std::string boundary)
{
    TIdMessage message;
    message.encoding = TIdMessageEncoding::Mime;
    message.contentType = "multipart/mixed";
    message.boundary = std::move(boundary);
    return message;
}

// A whole RETR answer read into a fresh message.
inline TIdMessage readMessageText(std::string text)
{
    TIdMessage message;
    StringLineSource source(std::move(text));
    readMessage(message, source);
    return message;
}

} // namespace kestrin::test
