#include "mail/protocol_text_check.h"

#include <string>

namespace kestrin {

bool holdsLineBreakOrNul(std::string_view value)
{
    return value.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

void refuseLineBreaks(std::string_view value, const std::string& message)
{
    if (holdsLineBreakOrNul(value))
        throw EIdUnsafeCommandText(message);
}

} // namespace kestrin
