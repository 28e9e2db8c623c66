// The log added up: each period split at local midnight, its pieces summed per period of the
// view and per row (a task, or a project). Lines of several files are kept and merged first.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "report/report_log.h"
#include "report/report_options.h"

namespace report {

const int NO_ROW = -1;
const int64_t ABSENT = -1; // a row with no piece in a period, as a period's total

// A file whose lines are read: its name as given, for messages, and the last line's number.
struct LogSource {
    std::string name;
    int64_t lineNumber;
};

// A line held back while several files are read, until they are merged.
struct KeptLine {
    int64_t start;
    int64_t seconds;
    int name;   // an index into LogSummary::names
    int source; // an index into LogSummary::sources
    int64_t lineNumber;
    bool running = false; // a running file's task, counted up to now
};

struct LogSummary {
    std::deque<std::string> names; // every name met, as the log holds it
    std::unordered_map<std::string_view, int> nameIndex; // its keys point into `names`
    std::vector<int> rowOfName;
    // The tasks, or the projects, in UTF-8: one name written in two encodings is one row.
    std::vector<std::string> rowNames;
    std::map<std::string, int> rowIndex; // all rows but the break task's
    int breakRow = NO_ROW;
    std::map<int64_t, std::vector<int64_t>> totals; // per period, seconds per row
    int64_t firstDay = INT64_MAX; // of the pieces counted
    int64_t lastDay = INT64_MIN;
    int64_t linesSkipped = 0;
    std::string problems; // "file:line: skipped: reason\n" and "file:line: overlaps file:line\n"
    std::vector<LogSource> sources;
    int keepLines = 0; // several sources: lines are kept for MergeKeptLines
    std::vector<KeptLine> kept;
    // The day last added to: the lines of one day find their period's totals without a look-up.
    int64_t cachedDay = INT64_MIN;
    std::vector<int64_t>* cachedTotals = nullptr;
};

// The period a day belongs to in a view: the day, its week's Monday, its month's first day,
// or WHOLE_RANGE.
const int64_t WHOLE_RANGE = 0;
int64_t PeriodOfDay(ReportView view, int64_t day);

// "Acme: design review" belongs to "Acme"; a name without ": " is its own project.
std::string_view ProjectOf(std::string_view name);

// A new source named `name`; returns its index.
int AddSource(LogSummary* summary, const std::string& name);
void NoteProblem(LogSummary* summary, int source, int64_t lineNumber, const char* why);

// Reads the next line of `source`, its line end gone (CR LF or LF): 1 when it is well-formed;
// 0 when it is blank, or malformed and noted.
int ReadLine(LogSummary* summary, int source, const char* begin, const char* end,
             LogLine* line);

// The index of `name` in summary->names, added (with its row) on first sight.
int NameOf(LogSummary* summary, const ReportOptions& options, std::string_view name);

// Adds a period from `start` (seconds since 1601) to `row`, split at local midnight, the
// pieces outside fromDay..toDay left out.
void AddPeriod(LogSummary* summary, const ReportOptions& options, int64_t start,
               int64_t seconds, int row);

// Takes every whole line of text[0..length) (CR LF or LF line ends) from `source`; with
// `last`, the unended line at its end too. Returns the number of bytes taken.
size_t SummariseText(const char* text, size_t length, int last, int source,
                     const ReportOptions& options, LogSummary* summary);

// Several sources: a line that stands in more than one file counts once, and periods of
// different files that overlap are noted (and counted as written). Then the lines are added.
void MergeKeptLines(LogSummary* summary, const ReportOptions& options);

} // namespace report
