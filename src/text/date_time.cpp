#include "text/date_time.h"

#include <cmath>
#include <ctime>

namespace kestrin {
namespace {

constexpr int64_t kUnixEpochDays = 25569; // 1970-01-01 as days since 1899-12-30
constexpr double kMillisecondsPerDay = 86400000.0;

// Howard Hinnant's civil calendar algorithms, counted from 1970-01-01.
int64_t unixDaysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromUnixDays(int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(y + (month <= 2));
}

} // namespace

int64_t daysFromCivil(int year, int month, int day)
{
    return unixDaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kUnixEpochDays;
}

TDateTime encodeDateTime(const CivilDateTime& c)
{
    const double days = static_cast<double>(daysFromCivil(c.year, c.month, c.day));
    const double time = ((c.hour * 60.0 + c.minute) * 60.0 + c.second) / 86400.0 + c.millisecond / kMillisecondsPerDay;
    // Before 1899-12-30 the whole-day part counts backwards while the time still counts forwards.
    return days < 0 ? days - time : days + time;
}

CivilDateTime decodeDateTime(TDateTime value)
{
    CivilDateTime c;
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return c;
    const double whole = std::trunc(value);
    const double fraction = std::fabs(value - whole);
    auto ms = static_cast<int64_t>(std::llround(fraction * kMillisecondsPerDay));
    int64_t days = static_cast<int64_t>(whole);
    if (ms >= 86400000) {
        ms -= 86400000;
        days += value < 0 ? -1 : 1;
    }
    civilFromUnixDays(days - kUnixEpochDays, c.year, c.month, c.day);
    c.hour = static_cast<int>(ms / 3600000);
    c.minute = static_cast<int>(ms / 60000 % 60);
    c.second = static_cast<int>(ms / 1000 % 60);
    c.millisecond = static_cast<int>(ms % 1000);
    return c;
}

TDateTime localNow()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return encodeDateTime(
        {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0});
}

} // namespace kestrin
