#include "report/report_table.h"

#include <algorithm>
#include <map>

#include "report/report_dates.h"

namespace report {

int64_t RoundedUp(int64_t seconds, int minutes)
{
    int64_t unit = minutes * int64_t(60);
    return minutes > 0 ? (seconds + unit - 1) / unit * unit : seconds;
}

// Both are made for every row of a long report: digits are put in place, not joined.
std::string FormatDuration(int64_t seconds)
{
    int64_t minutes = seconds / 60 % 60, rest = seconds % 60;
    const char tail[] = {':', static_cast<char>('0' + minutes / 10),
                         static_cast<char>('0' + minutes % 10), ':',
                         static_cast<char>('0' + rest / 10), static_cast<char>('0' + rest % 10)};
    return std::to_string(seconds / 3600).append(tail, sizeof tail);
}

std::string FormatHours(int64_t seconds)
{
    int64_t hundredths = (seconds * 100 + 1800) / 3600, cents = hundredths % 100;
    const char tail[] = {'.', static_cast<char>('0' + cents / 10),
                         static_cast<char>('0' + cents % 10)};
    return std::to_string(hundredths / 100).append(tail, sizeof tail);
}

namespace {

std::string PeriodLabel(const LogSummary& s, const ReportOptions& o, int64_t key)
{
    if (o.view == VIEW_DAY)
        return DateLabel(key);
    if (o.view == VIEW_WEEK)
        return IsoWeekLabel(key);
    if (o.view == VIEW_MONTH)
        return MonthLabel(key);
    // The whole range: the dates asked for, or else the first and last day with time.
    int64_t first = o.fromDay != INT64_MIN ? o.fromDay : s.firstDay;
    int64_t last = o.toDay != INT64_MAX ? o.toDay : s.lastDay;
    return DateLabel(first) + ".." + DateLabel(last);
}

// Most time first; equal times by name, so that the order never depends on the input's.
void SortTasks(std::vector<TaskTime>* tasks, const std::vector<std::string>& names)
{
    std::sort(tasks->begin(), tasks->end(), [&](const TaskTime& a, const TaskTime& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        return names[a.task] < names[b.task];
    });
}

// One period's rows from its totals.
ReportPeriod PeriodOf(const LogSummary& s, const ReportOptions& o, int64_t key,
                      const std::vector<int64_t>& totals)
{
    ReportPeriod period;
    period.key = key;
    period.label = PeriodLabel(s, o, key);
    period.tasks.reserve(totals.size());
    for (size_t row = 0; row < totals.size(); ++row) {
        if (totals[row] == ABSENT)
            continue;
        int64_t shown = RoundedUp(totals[row], o.roundMinutes);
        if (static_cast<int>(row) == s.breakRow) {
            period.breakSeconds = shown;
            period.breakUnrounded = totals[row];
            continue;
        }
        period.tasks.push_back(TaskTime{static_cast<int>(row), shown, totals[row]});
        period.workSeconds += shown;
        period.workUnrounded += totals[row];
    }
    SortTasks(&period.tasks, s.rowNames);
    return period;
}

} // namespace

Report BuildReport(const LogSummary& s, const ReportOptions& o)
{
    Report r;
    r.view = o.view;
    r.group = o.group;
    r.roundMinutes = o.roundMinutes;
    r.taskNames = s.rowNames;
    r.breakName = NameAsUtf8(o.breakName, o.charset); // read as the names it is matched with

    r.periods.reserve(s.totals.size());
    for (const auto& entry : s.totals)
        r.periods.push_back(PeriodOf(s, o, entry.first, entry.second));
    // A row with time inside the range, if only 0 seconds, has its place in the ranking.
    std::map<int, int64_t> overall;
    for (const ReportPeriod& p : r.periods)
        for (const TaskTime& t : p.tasks)
            overall[t.task] += t.seconds;
    std::vector<TaskTime> ranked;
    for (const auto& entry : overall)
        ranked.push_back(TaskTime{entry.first, entry.second, entry.second});
    SortTasks(&ranked, s.rowNames);
    for (const TaskTime& t : ranked)
        r.taskRank.push_back(t.task);
    return r;
}

} // namespace report
