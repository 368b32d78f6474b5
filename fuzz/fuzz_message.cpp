// Feeds arbitrary bytes to the message reader as a RETR answer: header
// processing and body decoding must neither crash nor read out of bounds.
// Only the mail layer's own exceptions are expected.
#include "mail/id_message.h"
#include "mail/mail_errors.h"
#include "mail/message_reader.h"
#include "mail/string_line_source.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    kestrin::StringLineSource source(std::string(reinterpret_cast<const char*>(data), size));
    kestrin::TIdMessage message;
    try {
        kestrin::readMessage(message, source);
    } catch (const kestrin::EIdException&) {
    }
    return 0;
}
