// The files the report reads: a log in steps of a fixed size, however long it grows, and the
// small files whole.
#pragma once
#include <string>

#include "report/report_summary.h"

namespace report {

// The bytes read at a time; a line longer than this makes the buffer grow to hold it.
enum { READ_STEP = 262144 };

// Reads the log `name` into the summary as `source`: 1 when it was read to its end, else 0
// with errno telling why.
int SummariseFile(const std::string& name, int source, const ReportOptions& options,
                  LogSummary* summary);

// Reads a whole file into `text`; 1 on success, else 0 with errno telling why.
int ReadWholeFile(const std::string& name, std::string* text);

} // namespace report
