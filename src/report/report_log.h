// Reading timelog.csv: one line per ended task,
// "%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d," + name + CR LF, and adding the periods up.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "report/report_charset.h"
#include "report/report_dates.h"

namespace report {

enum ReportView { VIEW_DAY, VIEW_WEEK, VIEW_TOTAL };
enum ReportFormat { FORMAT_TEXT, FORMAT_CSV, FORMAT_HTML };

// What the command line asked for.
struct ReportOptions {
    ReportView view = VIEW_DAY;
    ReportFormat format = FORMAT_TEXT;
    int64_t fromDay = INT64_MIN; // inclusive; the split pieces are filtered, not the lines
    int64_t toDay = INT64_MAX;   // inclusive
    std::string breakName = "Break";
    Charset charset = CHARSET_GUESS; // of the names in the log
    std::string fileName = "timelog.csv";
    int help = 0;
};

// One well-formed line. `name` points into the text that was read.
struct LogLine {
    CivilDate date;
    int hour, minute, second;
    int64_t seconds;
    std::string_view name;
};

// The largest seconds field accepted: the field is a 32-bit signed number.
const int64_t MAX_PERIOD_SECONDS = 2147483647;

// Parses one line without its line end. Returns nullptr when it is well-formed, else why not.
const char* ParseLogLine(const char* begin, const char* end, LogLine* line);

// Seconds per (period, task); the names point into the text, which must outlive this.
struct LogSummary {
    std::vector<std::string_view> taskNames; // in order of first appearance
    std::unordered_map<std::string_view, int> taskIndex;
    std::unordered_map<uint64_t, int64_t> totals; // key: PeriodKey(period, task)
    int64_t firstDay = INT64_MAX;                 // of the pieces counted
    int64_t lastDay = INT64_MIN;
    int64_t linesUsed = 0;
    int64_t linesSkipped = 0;
    std::string problems; // "file:line: skipped: reason\n" per malformed line
};

inline uint64_t PeriodKey(int64_t period, int task)
{
    return (static_cast<uint64_t>(period) << 32) | static_cast<uint32_t>(task);
}

// The period a day belongs to in a view: the day, its week's Monday, or WHOLE_RANGE.
const int64_t WHOLE_RANGE = 0;
int64_t PeriodOfDay(ReportView view, int64_t day);

// Adds every line of `text` (CR LF or LF line ends, the last one may be missing), each
// period split at local midnight, the pieces outside fromDay..toDay left out.
void SummariseLog(const char* text, size_t length, const ReportOptions& options,
                  LogSummary* summary);

} // namespace report
