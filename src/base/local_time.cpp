#include "base/local_time.h"

int IsRealMoment(const LocalTime& t)
{
    // The same bounds SystemTimeToFileTime accepts; a month outside 1..12 has no days.
    return t.wYear >= 1601 && t.wYear <= 30827 && t.wDay >= 1 &&
           t.wDay <= DaysInMonth(t.wYear, t.wMonth) && t.wHour < 24 && t.wMinute < 60 &&
           t.wSecond < 60 && t.wMilliseconds < 1000;
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

LocalTime TicksToLocalTime(int64_t ticks)
{
    int64_t seconds = ticks / TICKS_PER_SECOND;
    CivilDate date = DateOfDaysSince1601(seconds / 86400);
    int64_t second = seconds % 86400;
    auto u = [](int64_t v) { return static_cast<unsigned short>(v); };
    return LocalTime{u(date.year), u(date.month), 0, u(date.day), u(second / 3600),
                     u(second / 60 % 60), u(second % 60), u(ticks % TICKS_PER_SECOND / 10000)};
}

int64_t TimeDifference(LocalTime from, LocalTime to)
{
    int64_t a = 0, b = 0;
    LocalTimeToTicks(from, &a);
    LocalTimeToTicks(to, &b);
    return b - a;
}
