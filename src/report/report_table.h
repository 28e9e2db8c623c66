// The totals put in order for output: one group per day, week or the whole range, each
// with its work tasks (most time first), the work total and the break task apart.
#pragma once
#include <stdint.h>

#include <string>
#include <string_view>
#include <vector>

#include "report/report_log.h"

namespace report {

// Stands for a task where there is none: the break task, or a row of totals.
const int NO_TASK = -1;

struct TaskTime {
    int task; // an index into Report::taskNames, or NO_TASK
    int64_t seconds;
};

struct ReportPeriod {
    int64_t key = 0; // the day, the week's Monday, or 0 for the whole range
    std::string label;
    std::vector<TaskTime> tasks; // work only, most time first, then by name
    int64_t workSeconds = 0;     // all tasks but the break task
    int64_t breakSeconds = 0;
};

struct Report {
    ReportView view = VIEW_DAY;
    std::vector<std::string> taskNames; // in UTF-8, as every output is
    std::vector<ReportPeriod> periods; // in calendar order
    std::vector<int> taskRank;         // work tasks by their time over all periods, most first
    std::string breakName; // in UTF-8
};

// Names are converted to UTF-8 here, once each, from the log's charset.
Report BuildReport(const LogSummary& summary, const ReportOptions& options);

// "27:05:09": hours are not wrapped at 24.
std::string FormatDuration(int64_t seconds);
// "1.71": hours rounded to two decimals.
std::string FormatHours(int64_t seconds);

} // namespace report
