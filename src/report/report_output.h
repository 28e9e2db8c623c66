// The report as an aligned text table, as CSV (RFC 4180) or as one self-contained HTML page
// with an inline SVG bar chart, all of them in UTF-8 (the CSV with a byte-order mark).
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "report/report_table.h"

namespace report {

enum RowKind { ROW_TASK, ROW_WORK, ROW_BREAK };

// One line of a table: a work task, a period's work total or its break task.
struct OutputRow {
    const ReportPeriod* period;
    RowKind kind;
    int task; // NO_TASK for the work total and the break row
    int64_t seconds;
};

// Every period's work tasks, then its work total, then its break task (shown even at 0).
std::vector<OutputRow> ListRows(const Report& report);
const char* PeriodHeading(ReportView view); // "Day", "Week" or "Range"

std::string FormatText(const Report& report);

// A UTF-8 byte-order mark (spreadsheets need it to read UTF-8), then the header
// "period,kind,task,seconds,duration,hours"; kind is task, work or break; CR LF.
std::string FormatCsv(const Report& report);
// A field quoted when it holds a comma, a quotation mark, CR or LF; quotes doubled.
void AppendCsvField(std::string* out, std::string_view field);

std::string FormatHtml(const Report& report);
// Text for HTML and XML alike: & < > " ' as references, control bytes as U+FFFD.
void AppendEscaped(std::string* out, std::string_view text);

// Columns the UTF-8 text takes on a terminal: East Asian wide characters take two.
size_t DisplayWidth(std::string_view text);

} // namespace report
