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

struct RunningFile {
    std::string name;
    std::string text;
};

// "some/dir/timelog.csv" → "some/dir/timelog-running.csv".
std::string RunningFileOf(const std::string& logName);

// The running files beside the logs, each once; one that cannot be read is noted on `err`.
std::vector<RunningFile> ReadRunningFiles(const std::vector<std::string>& logNames,
                                          std::string* err);

// 1 when the file holds lines the log refused.
int HoldsLogLines(const RunningFile& file);

// Counts the refused lines as log lines, and the running task from its start up to `now`
// (local seconds since 1601), or up to its logged end when the clock went back.
void AddRunningFile(const RunningFile& file, int64_t now, const ReportOptions& options,
                    LogSummary* summary);

} // namespace report
