#include "mail/mail_date.h"

#include "text/ascii_case.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>

namespace kestrin {
namespace {

constexpr std::array<std::string_view, 7> kWeekdays = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<std::string_view, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int64_t kUnixEpochDays = 25569; // 1970-01-01 as days since 1899-12-30
// Years beyond this are nonsense in a mail header and count as unparseable,
// which keeps every later computation (time_t, struct tm's int year) in range.
constexpr int64_t kMaxYear = 9999;
// Digits beyond this many make a number unparseable instead of overflowing.
constexpr size_t kMaxDigits = 9;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return s;
}

// The next word ending at a blank (or at `separator` too); leading blanks and separators skipped.
std::string_view takeWord(std::string_view& rest, char separator = ' ')
{
    size_t start = 0;
    while (start < rest.size() && (isBlank(rest[start]) || rest[start] == separator))
        ++start;
    size_t end = start;
    while (end < rest.size() && !isBlank(rest[end]) && rest[end] != separator)
        ++end;
    const std::string_view word = rest.substr(start, end - start);
    rest.remove_prefix(end);
    return word;
}

// "Sep", "sep", "September" and "Sept." all name September.
int monthNumber(std::string_view word)
{
    for (size_t i = 0; i < kMonths.size(); ++i) {
        if (startsWithIgnoreCase(word, kMonths[i]))
            return static_cast<int>(i) + 1;
    }
    return 0;
}

bool isNumber(std::string_view word)
{
    if (word.empty())
        return false;
    for (char c : word) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

std::optional<int64_t> parseNumber(std::string_view word)
{
    if (!isNumber(word) || word.size() > kMaxDigits)
        return std::nullopt;
    int64_t value = 0;
    for (char c : word)
        value = value * 10 + (c - '0');
    return value;
}

// "2," in "September 2, 2002".
std::string_view withoutTrailingComma(std::string_view word)
{
    while (!word.empty() && word.back() == ',')
        word.remove_suffix(1);
    return word;
}

std::string_view withoutWeekday(std::string_view t)
{
    for (std::string_view day : kWeekdays) {
        if (!startsWithIgnoreCase(t, day))
            continue;
        size_t pos = day.size();
        while (pos < t.size() && isAsciiLetter(t[pos])) // a weekday written out in full
            ++pos;
        if (pos < t.size() && t[pos] == ',')
            ++pos;
        while (pos < t.size() && isBlank(t[pos]))
            ++pos;
        return t.substr(pos);
    }
    return t;
}

// "02-Sep-2002" when a '-' from the second character on comes before the first blank.
char dateSeparator(std::string_view t)
{
    const size_t dash = t.find('-', 1);
    return dash != std::string_view::npos && dash < t.find(' ') ? '-' : ' ';
}

bool isLeapYear(int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int64_t daysInMonth(int64_t year, int64_t month)
{
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<size_t>(month - 1)];
}

struct DateWords {
    std::string_view day;
    std::string_view month;
    std::string_view year;
    std::string_view time;
    std::string_view rest; // zone and whatever follows
    std::string_view tail; // everything after the date, where AM/PM is looked for
};

DateWords splitDate(std::string_view t)
{
    DateWords w;
    const char separator = dateSeparator(t);
    std::string_view rest = t;
    const std::string_view first = takeWord(rest, separator);
    if (monthNumber(first) > 0) {
        w.month = first;
        w.day = takeWord(rest, separator);
    } else {
        w.day = first;
        w.month = takeWord(rest, separator);
    }
    std::string_view afterYear = rest;
    w.year = takeWord(afterYear, separator);
    if (isNumber(withoutTrailingComma(w.year))) {
        w.tail = afterYear;
        if (afterYear.find(':') != std::string_view::npos)
            w.time = takeWord(afterYear);
    } else {
        // asctime order: day, month, time, year.
        w.tail = rest;
        w.time = w.year;
        w.year = takeWord(afterYear);
    }
    w.rest = afterYear;
    return w;
}

std::optional<int64_t> civilDays(const DateWords& w)
{
    const int64_t month = monthNumber(w.month);
    const auto day = parseNumber(withoutTrailingComma(w.day));
    auto year = parseNumber(withoutTrailingComma(w.year));
    if (month == 0 || !day || !year)
        return std::nullopt;
    if (*year < 80)
        *year += 2000;
    else if (*year < 100)
        *year += 1900;
    if (*year < 1 || *year > kMaxYear || *day < 1 || *day > daysInMonth(*year, month))
        return std::nullopt;
    return daysFromCivil(static_cast<int>(*year), static_cast<int>(month), static_cast<int>(*day));
}

// Leading digits of one "hh:mm:ss" component; missing components count 0.
std::optional<int64_t> timeComponent(std::string_view& rest)
{
    if (rest.empty())
        return 0;
    size_t end = 0;
    while (end < rest.size() && isDigit(rest[end]))
        ++end;
    const auto value = parseNumber(rest.substr(0, end));
    const size_t colon = rest.find(':');
    rest.remove_prefix(colon == std::string_view::npos ? rest.size() : colon + 1);
    return value;
}

// Seconds into the day, or nothing when the time does not parse or is out of
// range (an hour of 99 is a broken header, not a later day).
std::optional<int64_t> daySeconds(std::string_view time, std::string_view tail)
{
    if (time.empty())
        return 0;
    auto hour = timeComponent(time);
    const auto minute = timeComponent(time);
    auto second = timeComponent(time);
    if (!hour || !minute || !second)
        return std::nullopt;
    if (tail.find("AM") != std::string_view::npos) {
        if (*hour == 12)
            *hour = 0;
    } else if (tail.find("PM") != std::string_view::npos && *hour < 12) {
        *hour += 12;
    }
    if (*second == 60) // a leap second
        *second = 59;
    if (*hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return (*hour * 60 + *minute) * 60 + *second;
}

// "+hhmm" / "-hhmm" east of GMT, in seconds; zone names count 0.
int64_t zoneOffsetSeconds(std::string_view rest)
{
    std::string_view zone = takeWord(rest);
    if (equalsIgnoreCase(zone, "AM") || equalsIgnoreCase(zone, "PM"))
        zone = takeWord(rest);
    if (zone.size() < 5 || (zone[0] != '+' && zone[0] != '-'))
        return 0;
    const auto digits = parseNumber(zone.substr(1, 4));
    if (!digits)
        return 0;
    const int64_t seconds = (*digits / 100 * 60 + *digits % 100) * 60;
    return zone[0] == '-' ? -seconds : seconds;
}

TDateTime localDateTime(int64_t unixSeconds)
{
    tzset(); // TZ may have changed since the last call
    const auto t = static_cast<time_t>(unixSeconds);
    std::tm local{};
    // Years are limited to 1..9999 (plus a zone's worth of hours), well inside
    // what localtime_r handles; should it still refuse, the date counts as unparseable.
    if (localtime_r(&t, &local) == nullptr)
        return 0;
    return encodeDateTime(
        {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, 0});
}

} // namespace

TDateTime parseMailDate(std::string_view value)
{
    const std::string_view t = trimmed(value);
    if (t.empty())
        return 0;
    const DateWords words = splitDate(withoutWeekday(t));
    const int64_t days = civilDays(words).value_or(0);
    const int64_t seconds = daySeconds(words.time, words.tail).value_or(0);
    const int64_t gmt = (days - kUnixEpochDays) * 86400 + seconds - zoneOffsetSeconds(words.rest);
    return localDateTime(gmt);
}

} // namespace kestrin
