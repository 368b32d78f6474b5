#include "engine/rule_field.h"

#include "engine/header_line_value.h"
#include "engine/message_text.h"
#include "engine/rule_vocabulary.h"

namespace kestrin {
namespace {

std::optional<std::string> headerField(const TIdMessage& message, std::string_view name)
{
    HeaderLineValue header = headerLineValue(message, name);
    if (!header.found)
        return std::nullopt;
    return std::move(header.value);
}

std::optional<std::string> onlyRecipient(const TIdMessage& message)
{
    if (message.Recipients.count() != 1)
        return std::nullopt;
    return message.Recipients[0].Address;
}

} // namespace

std::optional<std::string> ruleFieldText(int typ, const TIdMessage& message, int64_t messageSize, bool wholeMessage)
{
    if (typ < 0 || typ > static_cast<int>(RuleField::MimeVersion))
        return std::nullopt;
    switch (static_cast<RuleField>(typ)) {
    case RuleField::Name:
        return message.From.Name;
    case RuleField::Sender:
        return message.From.Address;
    case RuleField::Recipient:
        return onlyRecipient(message);
    case RuleField::Subject:
        return message.Subject;
    case RuleField::Body:
        if (!wholeMessage)
            return std::nullopt;
        return messageText(message, " ");
    case RuleField::Size:
        return std::to_string(messageSize);
    case RuleField::Priority:
        return headerField(message, "X-Priority");
    case RuleField::Charset:
        return message.CharSet;
    case RuleField::Mailer:
        return headerField(message, "X-Mailer");
    case RuleField::MimeVersion:
        return headerField(message, "MIME-Version");
    }
    return std::nullopt;
}

} // namespace kestrin
