#pragma once
#include "text/date_time.h"

#include <string_view>

namespace kestrin {

// The "Date" header (RFC 822/2822, plus the asctime-like forms old mailers
// wrote) as local time of this computer, honouring TZ. An empty value gives 0;
// date or time words that do not parse count as 1899-12-30 00:00, the zone and
// local-time corrections still applied. Never throws.
TDateTime parseMailDate(std::string_view value);

} // namespace kestrin
