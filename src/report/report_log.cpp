#include "report/report_log.h"

#include "base/local_time.h"

namespace report {

namespace {

// Reads between minDigits and maxDigits decimal digits at *p. A digit more is left for the
// separator that every field is followed by, which it then is not.
int ReadNumber(const char** p, const char* end, int minDigits, int maxDigits, int64_t* value)
{
    int64_t v = 0;
    int n = 0;
    while (*p < end && n < maxDigits && **p >= '0' && **p <= '9') {
        v = v * 10 + (**p - '0');
        ++*p;
        ++n;
    }
    if (n < minDigits)
        return 0;
    *value = v;
    return 1;
}

int Expect(const char** p, const char* end, char c)
{
    if (*p >= end || **p != c)
        return 0;
    ++*p;
    return 1;
}

// The year is written "%4d": years before 1000 would be padded with spaces to four places.
int ReadYear(const char** p, const char* end, int64_t* year)
{
    const char* start = *p;
    while (*p < end && **p == ' ')
        ++*p;
    int padded = *p > start;
    int64_t v = 0;
    if (!ReadNumber(p, end, 1, 5, &v) || *p - start < 4 || (padded && *p - start != 4))
        return 0;
    *year = v;
    return 1;
}

// The date and time must make a moment the timer could have written: the timer's own rule.
const char* ParseStart(const char** p, const char* end, LogLine* line)
{
    int64_t year, month, day, hour, minute, second;
    if (!ReadYear(p, end, &year) || !Expect(p, end, '/') || !ReadNumber(p, end, 2, 2, &month) ||
        !Expect(p, end, '/') || !ReadNumber(p, end, 2, 2, &day) || !Expect(p, end, ' ') ||
        !ReadNumber(p, end, 2, 2, &hour) || !Expect(p, end, ':') ||
        !ReadNumber(p, end, 2, 2, &minute) || !Expect(p, end, ':') ||
        !ReadNumber(p, end, 2, 2, &second) || !Expect(p, end, ','))
        return "start is not YYYY/MM/DD HH:MM:SS";
    // Five digits of year may pass 65535, which the field cannot hold: it is no year either.
    LocalTime date = {static_cast<unsigned short>(year < 65535 ? year : 65535),
                      static_cast<unsigned short>(month), 0, static_cast<unsigned short>(day),
                      0, 0, 0, 0};
    LocalTime moment = date;
    moment.wHour = static_cast<unsigned short>(hour);
    moment.wMinute = static_cast<unsigned short>(minute);
    moment.wSecond = static_cast<unsigned short>(second);
    int64_t ticks;
    if (!LocalTimeToTicks(moment, &ticks))
        return IsRealMoment(date) ? "start time is not a real time" : "start date is not a real date";
    line->start = ticks / TICKS_PER_SECOND;
    return nullptr;
}

} // namespace

const char* ParseLogLine(const char* begin, const char* end, LogLine* line)
{
    if (begin == end)
        return "empty line";
    const char* p = begin;
    if (const char* problem = ParseStart(&p, end, line))
        return problem;
    // 2147483647 seconds are 596523 hours: six digits, and ten for the seconds field.
    int64_t hours, minutes, secs, seconds;
    if (!ReadNumber(&p, end, 1, 6, &hours) || !Expect(&p, end, ':') ||
        !ReadNumber(&p, end, 2, 2, &minutes) || !Expect(&p, end, ':') ||
        !ReadNumber(&p, end, 2, 2, &secs) || !Expect(&p, end, ','))
        return "duration is not H:MM:SS";
    if (!ReadNumber(&p, end, 1, 10, &seconds) || !Expect(&p, end, ','))
        return "seconds field is not a number";
    if (seconds > MAX_PERIOD_SECONDS)
        return "seconds field is larger than 2147483647";
    // Both fields come from the same number: a mismatch means the line was changed by hand.
    if (minutes > 59 || secs > 59 || hours * 3600 + minutes * 60 + secs != seconds)
        return "H:MM:SS does not match the seconds field";
    if (p == end)
        return "no task name";
    line->seconds = seconds;
    line->name = std::string_view(p, static_cast<size_t>(end - p));
    return nullptr;
}

} // namespace report
