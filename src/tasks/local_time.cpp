#include "tasks/local_time.h"

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

int IsRealMoment(const LocalTime& t)
{
    // The same bounds SystemTimeToFileTime accepts.
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wMonth >= 1 && t.wMonth <= 12 &&
           t.wDay >= 1 && t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 &&
           t.wMinute < 60 && t.wSecond < 60 && t.wMilliseconds < 1000;
}

// Days from 1601-01-01 to the given date (proleptic Gregorian calendar).
static int64_t DaysSince1601(int year, int month, int day)
{
    // Count from 1 March so that the leap day falls at the end of a counted year.
    int64_t y = year - (month <= 2 ? 1 : 0);
    int64_t m = month <= 2 ? month + 9 : month - 3;
    int64_t era = y / 400;
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * m + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t daysTo1601 = 584694; // the same count for 1601-01-01
    return era * 146097 + dayOfEra - daysTo1601;
}

int LocalTimeToTicks(const LocalTime& t, int64_t* ticks)
{
    if (!IsRealMoment(t))
        return 0;
    int64_t days = DaysSince1601(t.wYear, t.wMonth, t.wDay);
    int64_t seconds = ((days * 24 + t.wHour) * 60 + t.wMinute) * 60 + t.wSecond;
    *ticks = seconds * TICKS_PER_SECOND + int64_t(t.wMilliseconds) * 10000;
    return 1;
}

int64_t TimeDifference(LocalTime from, LocalTime to)
{
    int64_t a = 0, b = 0;
    LocalTimeToTicks(from, &a);
    LocalTimeToTicks(to, &b);
    return b - a;
}
