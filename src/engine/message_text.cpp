#include "engine/message_text.h"

#include <algorithm>
#include <vector>

namespace kestrin {
namespace {

const std::vector<std::string>& textLines(const TIdMessage& message)
{
    const auto textPart = std::find_if(message.parts.begin(), message.parts.end(), [](const TIdMessagePart& part) {
        return part.kind == TIdMessagePart::Kind::Text;
    });
    return textPart != message.parts.end() ? textPart->lines : message.Body;
}

} // namespace

std::string messageText(const TIdMessage& message, std::string_view separator)
{
    std::string text;
    for (const std::string& line : textLines(message)) {
        text += line;
        text += separator;
    }
    if (separator == " ")
        std::erase_if(text, [](char c) { return c == '\n' || c == '\r'; });
    return text;
}

} // namespace kestrin
