#include "report/report_table.h"

#include <algorithm>
#include <map>

namespace report {

std::string FormatDuration(int64_t seconds)
{
    return std::to_string(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
           TwoDigits(seconds % 60);
}

std::string FormatHours(int64_t seconds)
{
    int64_t hundredths = (seconds * 100 + 1800) / 3600;
    return std::to_string(hundredths / 100) + "." + TwoDigits(hundredths % 100);
}

namespace {

std::string PeriodLabel(const LogSummary& s, const ReportOptions& o, int64_t key)
{
    if (o.view == VIEW_DAY)
        return DateLabel(key);
    if (o.view == VIEW_WEEK)
        return IsoWeekLabel(key);
    // The whole range: the dates asked for, or else the first and last day with time.
    int64_t first = o.fromDay != INT64_MIN ? o.fromDay : s.firstDay;
    int64_t last = o.toDay != INT64_MAX ? o.toDay : s.lastDay;
    return DateLabel(first) + ".." + DateLabel(last);
}

// Most time first; equal times by name, so that the order never depends on the hash map.
void SortTasks(std::vector<TaskTime>* tasks, const std::vector<std::string_view>& names)
{
    std::sort(tasks->begin(), tasks->end(), [&](const TaskTime& a, const TaskTime& b) {
        if (a.seconds != b.seconds)
            return a.seconds > b.seconds;
        return names[a.task] < names[b.task];
    });
}

} // namespace

Report BuildReport(const LogSummary& s, const ReportOptions& o)
{
    Report r;
    r.view = o.view;
    // The break name is matched byte for byte, so it is taken to be in the log's charset.
    Charset charset = CharsetOfNames(o.charset, s.taskNames);
    std::vector<std::string_view> names = s.taskNames;
    names.push_back(o.breakName);
    r.taskNames = TextsAsUtf8(names, charset);
    r.breakName = r.taskNames.back();
    r.taskNames.pop_back();
    auto breakEntry = s.taskIndex.find(o.breakName);
    int breakTask = breakEntry == s.taskIndex.end() ? NO_TASK : breakEntry->second;

    std::map<int64_t, ReportPeriod> byKey;
    std::vector<TaskTime> overall;
    std::vector<char> present(s.taskNames.size(), 0); // has time inside the range
    for (size_t t = 0; t < s.taskNames.size(); ++t)
        overall.push_back(TaskTime{static_cast<int>(t), 0});
    for (const auto& entry : s.totals) {
        int64_t key = static_cast<int64_t>(entry.first >> 32);
        int task = static_cast<int>(entry.first & 0xffffffffu);
        ReportPeriod& period = byKey[key];
        present[task] = 1;
        if (task == breakTask) {
            period.breakSeconds += entry.second;
            continue;
        }
        period.tasks.push_back(TaskTime{task, entry.second});
        period.workSeconds += entry.second;
        overall[task].seconds += entry.second;
    }
    for (auto& entry : byKey) {
        entry.second.key = entry.first;
        entry.second.label = PeriodLabel(s, o, entry.first);
        SortTasks(&entry.second.tasks, s.taskNames);
        r.periods.push_back(std::move(entry.second));
    }
    SortTasks(&overall, s.taskNames);
    for (const TaskTime& t : overall)
        if (t.task != breakTask && present[t.task])
            r.taskRank.push_back(t.task);
    return r;
}

} // namespace report
