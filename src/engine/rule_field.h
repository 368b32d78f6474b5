#pragma once
// The text a rule's field (`typ`) takes from a message.
#include "mail/message.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kestrin {

// nullopt when the message has no such value: "odbiorca" unless the To list holds
// exactly one address, "zawartość wiadomości" unless the message was fetched
// whole, the header fields when the line is absent, and any typ above 9.
// "rozmiar" gives messageSize in decimal.
std::optional<std::string> ruleFieldText(int typ, const TIdMessage& message, int64_t messageSize, bool wholeMessage);

} // namespace kestrin
