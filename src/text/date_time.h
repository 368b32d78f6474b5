#pragma once
// Date-time values are kept as the Windows program kept them: days since
// 1899-12-30, with the time of day as the fraction. Stored texts and message
// identities depend on this form.
#include <cstdint>

namespace kestrin {

using TDateTime = double;

struct CivilDateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Days from 1899-12-30 to the given civil date (proleptic Gregorian calendar).
int64_t daysFromCivil(int year, int month, int day);
TDateTime encodeDateTime(const CivilDateTime& civil);
// Negative values count backwards in whole days with a positive time fraction,
// as the Windows date-time type does.
CivilDateTime decodeDateTime(TDateTime value);

// The computer's local time now (honours TZ).
TDateTime localNow();

} // namespace kestrin
