#pragma once
// How fuzz_address walks one input. The replay test walks every kept crash
// input the same way, so a fixed crash stays fixed.
#include "mail/address_parser.h"
#include "mail/encoded_words.h"
#include "mail/header_rules.h"
#include "mail/mail_date.h"
#include "mail/mail_errors.h"
#include "mail/message.h"

#include <string>
#include <string_view>

namespace kestrin {

inline void walkAddressList(std::string_view text)
{
    try {
        const TIdEMailAddressList list = parseAddressList(text);
        static_cast<void>(list.text());
    } catch (const EIdEmailParseError&) {
    }
}

// The input as header lines, split at LF, as the POP3 client would store them.
inline void walkAsHeaders(std::string_view input)
{
    TIdMessage message;
    size_t start = 0;
    while (start <= input.size()) {
        const size_t end = input.find('\n', start);
        const size_t stop = end == std::string_view::npos ? input.size() : end;
        message.addRawHeaderLine(std::string(input.substr(start, stop - start)));
        start = stop + 1;
    }
    try {
        message.processHeaders();
        static_cast<void>(message.From.text());
        static_cast<void>(message.Recipients.text());
    } catch (const EIdEmailParseError&) {
    }
}

inline void walkHeaderInput(std::string_view input)
{
    walkAddressList(input);
    try {
        static_cast<void>(parseAddress(input).text());
    } catch (const EIdEmailParseError&) {
    }
    walkAddressList(decodeEncodedWords(input));
    static_cast<void>(parseMailDate(input));
    static_cast<void>(charsetParameter(input));
    static_cast<void>(priorityFromHeader(input));
    walkAsHeaders(input);
}

} // namespace kestrin
