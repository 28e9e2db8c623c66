// The totals put in order for output: one group per day, week, month or the whole range,
// each with its rows (tasks or projects, most time first), the work total and the break task
// apart. With rounding, each row is rounded up within its period and the work total is the
// sum of the rounded rows, so that a bill adds up.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "report/report_summary.h"

namespace report {

// Stands for a task where there is none: the break task, or a row of totals.
const int NO_TASK = -1;

struct TaskTime {
    int task;          // an index into Report::taskNames, or NO_TASK
    int64_t seconds;   // as shown: rounded when asked
    int64_t unrounded; // as counted
};

struct ReportPeriod {
    int64_t key = 0; // the day, the week's Monday, the month's first day, or 0 for the range
    std::string label;
    std::vector<TaskTime> tasks; // work only, most time first, then by name
    int64_t workSeconds = 0;     // all rows but the break task, each as shown
    int64_t workUnrounded = 0;
    int64_t breakSeconds = 0;
    int64_t breakUnrounded = 0;
};

struct Report {
    ReportView view = VIEW_DAY;
    ReportGroup group = GROUP_TASK;
    int roundMinutes = 0;
    std::vector<std::string> taskNames; // the rows' names (tasks or projects), in UTF-8
    std::vector<ReportPeriod> periods;  // in calendar order
    std::vector<int> taskRank;          // work rows by their time over all periods, most first
    std::string breakName;              // in UTF-8
};

Report BuildReport(const LogSummary& summary, const ReportOptions& options);

// Seconds rounded up to a multiple of `minutes` (0: as they are).
int64_t RoundedUp(int64_t seconds, int minutes);
// "27:05:09": hours are not wrapped at 24.
std::string FormatDuration(int64_t seconds);
// "1.71": hours rounded to two decimals.
std::string FormatHours(int64_t seconds);

} // namespace report
