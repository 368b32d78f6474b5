#pragma once
#include "text/date_time.h"

#include <string>

namespace kestrin {

// The local date-time as an RFC 822 date with this computer's zone offset at
// that moment (honours TZ), e.g. "Tue, 14 Jan 2025 09:30:00 +0100". Times of
// day are rounded to the second.
std::string rfc822Date(TDateTime localTime);

} // namespace kestrin
