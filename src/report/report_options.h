// What the command line asked for.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "report/report_charset.h"

namespace report {

enum ReportView { VIEW_DAY, VIEW_WEEK, VIEW_MONTH, VIEW_TOTAL };
// As --by and the JSON's "by" name them: "day", "week", "month", "total".
extern const char* const kViewNames[4];
enum ReportFormat { FORMAT_TEXT, FORMAT_CSV, FORMAT_HTML, FORMAT_JSON };
enum ReportGroup { GROUP_TASK, GROUP_PROJECT };

struct ReportOptions {
    ReportView view = VIEW_DAY;
    ReportFormat format = FORMAT_TEXT;
    ReportGroup group = GROUP_TASK;
    int roundMinutes = 0;        // 0: not rounded
    int64_t fromDay = INT64_MIN; // inclusive; the split pieces are filtered, not the lines
    int64_t toDay = INT64_MAX;   // inclusive
    std::string breakName = "Break";
    Charset charset = CHARSET_CP1252; // of the names that are not UTF-8
    std::vector<std::string> fileNames; // read as one log; none: timelog.csv
    int current = 0;                    // count the running task up to now
    int help = 0;
};

} // namespace report
