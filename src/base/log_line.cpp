#include "base/log_line.h"

#include <string.h>


namespace {

// Reads between minDigits and maxDigits decimal digits at text[*at]. A digit more is left
// for the separator that every field is followed by, which it then is not.
int ReadNumber(const char* text, size_t length, size_t* at, int minDigits, int maxDigits,
               int64_t* value)
{
    int64_t v = 0;
    int n = 0;
    for (; *at < length && n < maxDigits && text[*at] >= '0' && text[*at] <= '9'; ++*at, ++n)
        v = v * 10 + (text[*at] - '0');
    *value = v;
    return n >= minDigits;
}

int Expect(const char* text, size_t length, size_t* at, char c)
{
    return *at < length && text[(*at)++] == c;
}

// "%4d" at the line's start: a year before 1000 would be padded with spaces to four places.
int ReadYear(const char* text, size_t length, size_t* at, int64_t* year)
{
    while (*at < length && text[*at] == ' ')
        ++*at;
    int padded = *at > 0;
    return ReadNumber(text, length, at, 1, 5, year) && *at >= 4 && (!padded || *at == 4);
}

unsigned short Field(int64_t value)
{
    return static_cast<unsigned short>(value < 65535 ? value : 65535);
}

const char* ReadStart(const char* text, size_t length, size_t* at, LocalTime* start)
{
    int64_t v[6];
    const char separators[] = "// ::,";
    for (int i = 0; i < 6; ++i) {
        int read = i == 0 ? ReadYear(text, length, at, &v[0])
                          : ReadNumber(text, length, at, 2, 2, &v[i]);
        if (!read || !Expect(text, length, at, separators[i]))
            return "start is not YYYY/MM/DD HH:MM:SS";
    }
    LocalTime date = {Field(v[0]), Field(v[1]), 0, Field(v[2]), 0, 0, 0, 0};
    *start = date;
    start->wHour = Field(v[3]);
    start->wMinute = Field(v[4]);
    start->wSecond = Field(v[5]);
    if (IsRealMoment(*start))
        return nullptr;
    return IsRealMoment(date) ? "start time is not a real time" : "start date is not a real date";
}

const char* ReadDuration(const char* text, size_t length, size_t* at, int64_t* seconds)
{
    // 2147483647 seconds are 596523 hours: six digits, and ten for the seconds field.
    int64_t hours, minutes, secs;
    if (!ReadNumber(text, length, at, 1, 6, &hours) || !Expect(text, length, at, ':') ||
        !ReadNumber(text, length, at, 2, 2, &minutes) || !Expect(text, length, at, ':') ||
        !ReadNumber(text, length, at, 2, 2, &secs) || !Expect(text, length, at, ','))
        return "duration is not H:MM:SS";
    if (!ReadNumber(text, length, at, 1, 10, seconds) || !Expect(text, length, at, ','))
        return "seconds field is not a number";
    if (*seconds > LOG_LINE_MOST_SECONDS)
        return "seconds field is larger than 2147483647";
    // Both fields come from the same number: a mismatch means the line was changed by hand.
    if (minutes > 59 || secs > 59 || hours * 3600 + minutes * 60 + secs != *seconds)
        return "H:MM:SS does not match the seconds field";
    return nullptr;
}

} // namespace

const char* ParseTimeLogLine(const char* text, size_t length, TimeLogLine* line)
{
    if (length == 0)
        return "empty line";
    size_t at = 0;
    const char* problem = ReadStart(text, length, &at, &line->start);
    if (problem == nullptr)
        problem = ReadDuration(text, length, &at, &line->seconds);
    if (problem == nullptr && at == length)
        problem = "no task name";
    line->name = text + at;
    line->nameLength = length - at;
    return problem;
}

int SamePeriod(const TimeLogLine& a, const TimeLogLine& b)
{
    return TimeDifference(a.start, b.start) == 0 && a.nameLength == b.nameLength &&
           memcmp(a.name, b.name, a.nameLength) == 0;
}
