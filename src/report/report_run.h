// The whole command: arguments in, report text and messages out, and the exit code.
#pragma once
#include <stdint.h>

#include <string>

#include "report/report_arguments.h"
#include "report/report_log_file.h"
#include "report/report_summary.h"

namespace report {

enum ExitCode {
    EXIT_DONE = 0,       // the report was written (skipped lines are only reported)
    EXIT_UNREADABLE = 1, // a time log could not be read
    EXIT_USAGE = 2       // the command line was wrong
};

// The report of what the summary added up, in the format asked for, in `out`; skipped lines
// and overlaps to `err`.
void WriteSummary(const LogSummary& summary, const ReportOptions& options, std::string* out,
                  std::string* err);

// The same for the log `text` held in memory, named as options.fileNames[0].
void WriteReport(const std::string& text, const ReportOptions& options, std::string* out,
                 std::string* err);

// Runs the command: the report goes to `out`, messages to `err`. `now` is the local time in
// seconds since 1601-01-01 00:00, up to which --current counts the running task.
int RunReport(int argc, const char* const* argv, int64_t now, std::string* out,
              std::string* err);

} // namespace report
