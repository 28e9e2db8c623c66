// The running task, from the file the timer keeps beside timelog.csv: timelog-running.csv.
// Line 1 is the running task as its line will be logged, its seconds up to the last moment
// the timer knew it ran (an empty line when nothing runs that the log would record); the
// lines after it are lines the log refused, to be appended later.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "report/report_summary.h"

namespace report {

// "some/dir/timelog.csv" → "some/dir/timelog-running.csv".
std::string RunningFileOf(const std::string& logName);

// Reads the running file beside each log, once each: the lines it holds for the log count
// as log lines, and its running task from its start up to `now` (local seconds since 1601),
// or up to its logged end when the clock has since gone back. A file that cannot be read is
// noted on `err`.
void AddRunningFiles(const std::vector<std::string>& logNames, int64_t now,
                     const ReportOptions& options, LogSummary* summary, std::string* err);

} // namespace report
