// Local wall-clock times, laid out like the Win32 SYSTEMTIME, and their 64-bit tick counts.
#pragma once
#include <stdint.h>

#include "base/calendar.h"

struct LocalTime {
    unsigned short wYear;
    unsigned short wMonth;
    unsigned short wDayOfWeek;
    unsigned short wDay;
    unsigned short wHour;
    unsigned short wMinute;
    unsigned short wSecond;
    unsigned short wMilliseconds;
};

enum { TICKS_PER_SECOND = 10000000 };

// 100-nanosecond ticks since 1601-01-01 00:00, as a file time counts them. Returns 0 when
// the time is not a real moment (31 April, 25:00, year 1600), as SystemTimeToFileTime fails.
int LocalTimeToTicks(const LocalTime& time, int64_t* ticks);
// The moment `ticks` counts, for ticks from 0 on (the day of the week left 0).
LocalTime TicksToLocalTime(int64_t ticks);
int IsRealMoment(const LocalTime& time);

// Ticks of `to` minus ticks of `from`; negative when `to` is earlier. Both must be real
// moments; an unreal one counts as the earliest file time.
int64_t TimeDifference(LocalTime from, LocalTime to);
