#include "report/report_log.h"

#include <string.h>

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

const char* ParseStart(const char** p, const char* end, LogLine* line)
{
    int64_t year, month, day, hour, minute, second;
    if (!ReadYear(p, end, &year) || !Expect(p, end, '/') || !ReadNumber(p, end, 2, 2, &month) ||
        !Expect(p, end, '/') || !ReadNumber(p, end, 2, 2, &day) || !Expect(p, end, ' ') ||
        !ReadNumber(p, end, 2, 2, &hour) || !Expect(p, end, ':') ||
        !ReadNumber(p, end, 2, 2, &minute) || !Expect(p, end, ':') ||
        !ReadNumber(p, end, 2, 2, &second) || !Expect(p, end, ','))
        return "start is not YYYY/MM/DD HH:MM:SS";
    if (year < FIRST_YEAR || year > LAST_YEAR || day < 1 ||
        day > DaysInMonth(static_cast<int>(year), static_cast<int>(month)))
        return "start date is not a real date";
    if (hour > 23 || minute > 59 || second > 59)
        return "start time is not a real time";
    line->date = CivilDate{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
    line->hour = static_cast<int>(hour);
    line->minute = static_cast<int>(minute);
    line->second = static_cast<int>(second);
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

int64_t PeriodOfDay(ReportView view, int64_t day)
{
    if (view == VIEW_WEEK)
        return WeekStart(day);
    return view == VIEW_DAY ? day : WHOLE_RANGE;
}

namespace {

int TaskOf(LogSummary* s, std::string_view name)
{
    auto found = s->taskIndex.find(name);
    if (found != s->taskIndex.end())
        return found->second;
    int task = static_cast<int>(s->taskNames.size());
    s->taskNames.push_back(name);
    s->taskIndex.emplace(name, task);
    return task;
}

void AddPiece(LogSummary* s, const ReportOptions& o, int64_t day, int task, int64_t seconds)
{
    s->totals[PeriodKey(PeriodOfDay(o.view, day), task)] += seconds;
    if (day < s->firstDay)
        s->firstDay = day;
    if (day > s->lastDay)
        s->lastDay = day;
}

// Local wall-clock arithmetic: each day has 86,400 seconds, whatever the clock did.
void AddPeriod(LogSummary* s, const ReportOptions& o, const LogLine& line, int task)
{
    int64_t day = DaysSince1601(line.date.year, line.date.month, line.date.day);
    int64_t intoDay = (line.hour * 60 + line.minute) * 60 + line.second;
    int64_t left = line.seconds;
    if (day < o.fromDay) { // skip whole days before the range at once
        int64_t skip = (o.fromDay - day) * SECONDS_PER_DAY - intoDay;
        if (skip >= left)
            return;
        left -= skip;
        day = o.fromDay;
        intoDay = 0;
    }
    do {
        if (day > o.toDay)
            return;
        int64_t piece = left < SECONDS_PER_DAY - intoDay ? left : SECONDS_PER_DAY - intoDay;
        AddPiece(s, o, day, task, piece);
        left -= piece;
        intoDay = 0;
        ++day;
    } while (left > 0);
}

void NoteProblem(LogSummary* s, const ReportOptions& o, int64_t lineNumber, const char* why)
{
    s->problems += o.fileName;
    s->problems += ':';
    s->problems += std::to_string(lineNumber);
    s->problems += ": skipped: ";
    s->problems += why;
    s->problems += '\n';
    ++s->linesSkipped;
}

} // namespace

void SummariseLog(const char* text, size_t length, const ReportOptions& options,
                  LogSummary* summary)
{
    const char* p = text;
    const char* end = text + length;
    int64_t lineNumber = 0;
    while (p < end) {
        ++lineNumber;
        const char* lineEnd = static_cast<const char*>(memchr(p, '\n', end - p));
        const char* next = lineEnd ? lineEnd + 1 : end;
        if (!lineEnd)
            lineEnd = end;
        if (lineEnd > p && lineEnd[-1] == '\r')
            --lineEnd;
        LogLine line;
        if (lineEnd == p) {
            // A blank line carries no time; it is passed over without a word.
        } else if (const char* problem = ParseLogLine(p, lineEnd, &line)) {
            NoteProblem(summary, options, lineNumber, problem);
        } else {
            AddPeriod(summary, options, line, TaskOf(summary, line.name));
            ++summary->linesUsed;
        }
        p = next;
    }
}

} // namespace report
