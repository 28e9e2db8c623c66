// The command line: its options, its files and the help text.
#pragma once
#include <string>

#include "report/report_options.h"

namespace report {

extern const char kUsage[];

// Reads argv[1..argc-1] into `options`: 1, or 0 with what is wrong in `problem`.
int ParseArguments(int argc, const char* const* argv, ReportOptions* options,
                   std::string* problem);

} // namespace report
