#pragma once
// `lastuse` of a Bayes word is stored as text in the default date-time form;
// replacing a word in a full table reads it back to find the oldest.
#include "text/date_time.h"

#include <string_view>

namespace kestrin {

// Reads "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm" or "yyyy-MM-dd" (blanks
// around it ignored; one- or two-digit month, day and time fields). Anything
// else, or an impossible date or time, throws EConvertError
// "'<text>' is not a valid date and time".
TDateTime readLastUse(std::string_view text);

} // namespace kestrin
