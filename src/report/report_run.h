// The whole command: arguments in, report text and messages out, and the exit code.
#pragma once
#include <string>

#include "report/report_log.h"

namespace report {

enum ExitCode {
    EXIT_DONE = 0,       // the report was written (skipped lines are only reported)
    EXIT_UNREADABLE = 1, // the time log could not be read
    EXIT_USAGE = 2       // the command line was wrong
};

extern const char kUsage[];

// Reads argv[1..argc-1] into `options`: 1, or 0 with what is wrong in `problem`.
int ParseArguments(int argc, const char* const* argv, ReportOptions* options,
                   std::string* problem);

// Reads a whole file into `text`; 1 on success.
int ReadWholeFile(const std::string& name, std::string* text);

// The report of the log `text`, in the format asked for, to `out`; skipped lines to `err`.
void WriteReport(const std::string& text, const ReportOptions& options, std::string* out,
                 std::string* err);

// Runs the command: the report goes to `out`, skipped lines and errors to `err`.
int RunReport(int argc, const char* const* argv, std::string* out, std::string* err);

} // namespace report
