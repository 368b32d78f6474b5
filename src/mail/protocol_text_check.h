#pragma once
// Values the user typed go into protocol command lines as they are. A CR, LF
// or NUL inside one would end the command early and let the rest be read by
// the server as a command of its own, so such values are refused before
// anything is sent.
#include "mail/mail_errors.h"

#include <string_view>

namespace kestrin {

// A value that cannot go into a command line; the message names the field.
class EIdUnsafeCommandText : public EIdException {
public:
    using EIdException::EIdException;
};

bool holdsLineBreakOrNul(std::string_view value);

// Throws EIdUnsafeCommandText(message) when the value holds CR, LF or NUL.
void refuseLineBreaks(std::string_view value, const std::string& message);

} // namespace kestrin
