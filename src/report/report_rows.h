// The rows every output lists, in one order, and what each kind of row is called.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "report/report_table.h"

namespace report {

enum RowKind { ROW_TASK, ROW_WORK, ROW_BREAK };

// One line of a table: a work row (a task or a project), a period's work total or its break.
struct OutputRow {
    const ReportPeriod* period;
    RowKind kind;
    int task; // NO_TASK for the work total and the break row
    int64_t seconds;
    int64_t unrounded;
};

// A period's work rows, then its work total, then its break task (shown even at 0), in
// `rows`. One period at a time: a long report's rows are never all held at once.
void ListRows(const ReportPeriod& period, std::vector<OutputRow>* rows);

// The kind as the CSV's kind column, the page's classes and the JSON name it: "task" (or
// "project" when grouped so), "work" or "break".
const char* RowKindName(const Report& report, RowKind kind);
// The heading of the rows' names: "Task" or "Project".
const char* RowHeading(const Report& report);
// The name a row stands for: its task or project, or the break task; "" for the work total.
std::string RowName(const Report& report, const OutputRow& row);
const char* PeriodHeading(ReportView view); // "Day", "Week", "Month" or "Range"

} // namespace report
