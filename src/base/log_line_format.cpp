// The writing half of the log line: apart from the reading, which vornet-report links alone.
#include "base/log_line.h"

#include "base/text_builder.h"

int64_t DurationSeconds(LocalTime start, LocalTime end)
{
    int64_t seconds = TimeDifference(start, end) / TICKS_PER_SECOND;
    return seconds < 0 ? 0 : seconds;
}

void AppendClock(TextBuilder* b, const LocalTime& time)
{
    AppendPadded(b, time.wHour, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wMinute, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wSecond, 2, '0');
}

void AppendMoment(TextBuilder* b, const LocalTime& time, int yearWidth)
{
    AppendPadded(b, time.wYear, yearWidth, ' ');
    AppendText(b, "/");
    AppendPadded(b, time.wMonth, 2, '0');
    AppendText(b, "/");
    AppendPadded(b, time.wDay, 2, '0');
    AppendText(b, " ");
    AppendClock(b, time);
}

void AppendDuration(TextBuilder* b, int64_t seconds)
{
    int64_t hours = seconds / 3600;
    AppendInt(b, hours);
    AppendText(b, ":");
    AppendPadded(b, (seconds - hours * 3600) / 60, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, seconds - (seconds / 60) * 60, 2, '0');
}

size_t FormatTimeLogLine(char* out, size_t capacity, const LocalTime& start, int64_t seconds,
                         const char* name)
{
    if (seconds < 0)
        seconds = 0;
    if (seconds > LOG_LINE_MOST_SECONDS)
        seconds = LOG_LINE_MOST_SECONDS;
    TextBuilder b = {out, capacity, 0};
    AppendMoment(&b, start, 4);
    AppendText(&b, ",");
    AppendDuration(&b, seconds);
    AppendText(&b, ",");
    AppendInt(&b, seconds);
    AppendText(&b, ",");
    AppendText(&b, name);
    AppendText(&b, "\r\n");
    return b.length;
}
