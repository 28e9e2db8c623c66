#include "base/calendar.h"

int DaysInMonth(int year, int month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

// Years are counted from 1 March, so that the leap day ends a counted year and the day of
// the year follows from the month by one formula. The first 400-year cycle starts on
// 1600-03-01, 306 days before 1601-01-01; from there on every count is positive.
enum { DAYS_PER_CYCLE = 146097, MARCH_1600_TO_1601 = 306 };

int64_t DaysSince1601(int year, int month, int day)
{
    int64_t y = year - 1600 - (month <= 2 ? 1 : 0);
    int64_t m = month <= 2 ? month + 9 : month - 3;
    int64_t yearOfCycle = y % 400;
    int64_t dayOfYear = (153 * m + 2) / 5 + day - 1;
    int64_t dayOfCycle = yearOfCycle * 365 + yearOfCycle / 4 - yearOfCycle / 100 + dayOfYear;
    return y / 400 * DAYS_PER_CYCLE + dayOfCycle - MARCH_1600_TO_1601;
}

CivilDate DateOfDaysSince1601(int64_t days)
{
    int64_t z = days + MARCH_1600_TO_1601;
    int64_t dayOfCycle = z % DAYS_PER_CYCLE;
    // The leap days of a cycle: every 4th year but every 100th, then the cycle's last day.
    int64_t yearOfCycle =
        (dayOfCycle - dayOfCycle / 1460 + dayOfCycle / 36524 - dayOfCycle / 146096) / 365;
    int64_t dayOfYear = dayOfCycle - (365 * yearOfCycle + yearOfCycle / 4 - yearOfCycle / 100);
    int64_t m = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.day = static_cast<int>(dayOfYear - (153 * m + 2) / 5 + 1);
    date.month = static_cast<int>(m < 10 ? m + 3 : m - 9);
    date.year = static_cast<int>(1600 + z / DAYS_PER_CYCLE * 400 + yearOfCycle +
                                 (date.month <= 2 ? 1 : 0));
    return date;
}
