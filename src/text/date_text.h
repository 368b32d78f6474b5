#pragma once
// Fixed text forms of date-time values. The date text is part of every message
// identity, so the report list must produce exactly the same text when it
// recomputes an identity.
#include "text/date_time.h"

#include <string>

namespace kestrin {

// "yyyy-MM-dd / HH:mm:ss"
std::string dateText(TDateTime value);

// "yyyy-MM-dd HH:mm:ss", the form of stored last-use and last-run times.
std::string defaultDateTimeText(TDateTime value);

} // namespace kestrin
