#include "text/date_text.h"

#include <cstdio>

namespace kestrin {
namespace {

std::string formatDateTime(TDateTime value, const char* betweenDateAndTime)
{
    const CivilDateTime c = decodeDateTime(value);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d%s%02d:%02d:%02d", c.year, c.month, c.day, betweenDateAndTime,
                  c.hour, c.minute, c.second);
    return buffer;
}

} // namespace

std::string dateText(TDateTime value)
{
    return formatDateTime(value, " / ");
}

std::string defaultDateTimeText(TDateTime value)
{
    return formatDateTime(value, " ");
}

} // namespace kestrin
