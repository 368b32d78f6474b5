#include "mail/rfc822_date.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace kestrin {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 1970-01-01 was a Thursday.
int weekday(int64_t daysSince1899)
{
    constexpr int64_t kUnixEpochDays = 25569;
    const int64_t r = ((daysSince1899 - kUnixEpochDays) % 7 + 7 + 4) % 7;
    return static_cast<int>(r);
}

// Seconds east of GMT in force at this local wall-clock time. mktime picks
// the zone offset (and daylight saving) of that moment; asking timegm for the
// same fields tells how far apart the two readings are.
long zoneOffsetSeconds(const CivilDateTime& c)
{
    std::tm local{};
    local.tm_year = c.year - 1900;
    local.tm_mon = c.month - 1;
    local.tm_mday = c.day;
    local.tm_hour = c.hour;
    local.tm_min = c.minute;
    local.tm_sec = c.second;
    local.tm_isdst = -1;
    const std::time_t moment = std::mktime(&local);
    if (moment == static_cast<std::time_t>(-1))
        return 0;
    // mktime normalised the fields; a wall time skipped by a daylight-saving
    // change comes back moved, so the offset is read from the normalised fields.
    std::tm normalised = local;
    normalised.tm_isdst = 0;
    return static_cast<long>(timegm(&normalised) - moment);
}

std::string zoneText(long offsetSeconds)
{
    const char sign = offsetSeconds < 0 ? '-' : '+';
    const long minutes = (offsetSeconds < 0 ? -offsetSeconds : offsetSeconds) / 60;
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%c%02ld%02ld", sign, minutes / 60 % 100, minutes % 60);
    return buffer;
}

// Whole seconds: half a second and more counts as the next one.
CivilDateTime roundedToSecond(TDateTime value)
{
    CivilDateTime c = decodeDateTime(value);
    if (c.millisecond < 500) {
        c.millisecond = 0;
        return c;
    }
    c.millisecond = 0;
    const TDateTime oneSecond = 1.0 / 86400.0;
    const TDateTime base = encodeDateTime(c);
    CivilDateTime next = decodeDateTime(base < 0 ? base - oneSecond : base + oneSecond);
    next.millisecond = 0;
    return next;
}

} // namespace

std::string rfc822Date(TDateTime localTime)
{
    const CivilDateTime c = roundedToSecond(localTime);
    const int64_t days = daysFromCivil(c.year, c.month, c.day);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%s, %d %s %04d %02d:%02d:%02d ", kWeekdays[weekday(days)].data(), c.day,
                  kMonths[static_cast<size_t>(c.month - 1)].data(), c.year, c.hour, c.minute, c.second);
    return buffer + zoneText(zoneOffsetSeconds(c));
}

} // namespace kestrin
