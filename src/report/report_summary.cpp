#include "report/report_summary.h"

#include <string.h>

#include <algorithm>

#include "report/report_dates.h"

namespace report {

int64_t PeriodOfDay(ReportView view, int64_t day)
{
    if (view == VIEW_WEEK)
        return WeekStart(day);
    if (view == VIEW_MONTH)
        return MonthStart(day);
    return view == VIEW_DAY ? day : WHOLE_RANGE;
}

std::string_view ProjectOf(std::string_view name)
{
    return name.substr(0, name.find(": "));
}

int AddSource(LogSummary* s, const std::string& name)
{
    s->sources.push_back(LogSource{name, 0});
    return static_cast<int>(s->sources.size()) - 1;
}

void NoteProblem(LogSummary* s, int source, int64_t lineNumber, const char* why)
{
    s->problems += s->sources[source].name;
    s->problems += ':';
    s->problems += std::to_string(lineNumber);
    s->problems += ": skipped: ";
    s->problems += why;
    s->problems += '\n';
    ++s->linesSkipped;
}

namespace {

// Rows are made of names read into UTF-8. The break task is matched by its whole name and
// keeps a row of its own, so that grouping never moves time between work and break.
int RowOf(LogSummary* s, const ReportOptions& o, std::string_view name)
{
    std::string text = NameAsUtf8(name, o.charset);
    int isBreak = text == NameAsUtf8(o.breakName, o.charset);
    if (isBreak && s->breakRow != NO_ROW)
        return s->breakRow;
    std::string rowName(isBreak || o.group == GROUP_TASK ? text : ProjectOf(text));
    auto found = s->rowIndex.find(rowName);
    if (!isBreak && found != s->rowIndex.end())
        return found->second;
    int row = static_cast<int>(s->rowNames.size());
    s->rowNames.push_back(rowName);
    if (isBreak)
        s->breakRow = row;
    else
        s->rowIndex.emplace(rowName, row);
    return row;
}

} // namespace

int NameOf(LogSummary* s, const ReportOptions& o, std::string_view name)
{
    auto found = s->nameIndex.find(name);
    if (found != s->nameIndex.end())
        return found->second;
    int index = static_cast<int>(s->names.size());
    s->names.emplace_back(name); // a deque: the names already there stay where they are
    s->nameIndex.emplace(s->names.back(), index);
    s->rowOfName.push_back(RowOf(s, o, name));
    return index;
}

namespace {

void AddPiece(LogSummary* s, const ReportOptions& o, int64_t day, int row, int64_t seconds)
{
    if (day != s->cachedDay) {
        s->cachedTotals = &s->totals[PeriodOfDay(o.view, day)];
        s->cachedDay = day;
        s->firstDay = std::min(s->firstDay, day);
        s->lastDay = std::max(s->lastDay, day);
    }
    std::vector<int64_t>& totals = *s->cachedTotals;
    if (totals.size() <= static_cast<size_t>(row))
        totals.resize(static_cast<size_t>(row) + 1, ABSENT);
    totals[row] = (totals[row] == ABSENT ? 0 : totals[row]) + seconds;
}

} // namespace

// Local wall-clock arithmetic: each day has 86,400 seconds, whatever the clock did.
void AddPeriod(LogSummary* s, const ReportOptions& o, int64_t start, int64_t seconds, int row)
{
    int64_t day = start / SECONDS_PER_DAY;
    int64_t intoDay = start % SECONDS_PER_DAY;
    int64_t left = seconds;
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
        int64_t piece = std::min(left, SECONDS_PER_DAY - intoDay);
        AddPiece(s, o, day, row, piece);
        left -= piece;
        intoDay = 0;
        ++day;
    } while (left > 0);
}

int ReadLine(LogSummary* s, int source, const char* begin, const char* end, LogLine* line)
{
    int64_t lineNumber = ++s->sources[source].lineNumber;
    if (end > begin && end[-1] == '\r')
        --end;
    if (end == begin)
        return 0; // a blank line carries no time; it is passed over without a word
    const char* problem = ParseLogLine(begin, end, line);
    if (problem != nullptr)
        NoteProblem(s, source, lineNumber, problem);
    return problem == nullptr;
}

namespace {

void TakeLine(LogSummary* s, const ReportOptions& o, int source, const char* begin,
              const char* end)
{
    LogLine line;
    if (!ReadLine(s, source, begin, end, &line))
        return;
    int name = NameOf(s, o, line.name);
    if (s->keepLines)
        s->kept.push_back(
            KeptLine{line.start, line.seconds, name, source, s->sources[source].lineNumber});
    else
        AddPeriod(s, o, line.start, line.seconds, s->rowOfName[name]);
}

} // namespace

size_t SummariseText(const char* text, size_t length, int last, int source,
                     const ReportOptions& o, LogSummary* s)
{
    // Whole lines only, but at the end: an unended line waits for the rest of it.
    const char* end = text + length;
    while (!last && end > text && end[-1] != '\n')
        --end;
    for (const char* p = text; p < end;) {
        const char* lineEnd = static_cast<const char*>(memchr(p, '\n', end - p));
        const char* next = lineEnd ? lineEnd + 1 : end;
        TakeLine(s, o, source, p, lineEnd ? lineEnd : end);
        p = next;
    }
    return static_cast<size_t>(end - text);
}

} // namespace report
