#include "report/report_rows.h"

namespace report {

void ListRows(const ReportPeriod& p, std::vector<OutputRow>* rows)
{
    rows->clear();
    for (const TaskTime& t : p.tasks)
        rows->push_back(OutputRow{&p, ROW_TASK, t.task, t.seconds, t.unrounded});
    rows->push_back(OutputRow{&p, ROW_WORK, NO_TASK, p.workSeconds, p.workUnrounded});
    rows->push_back(OutputRow{&p, ROW_BREAK, NO_TASK, p.breakSeconds, p.breakUnrounded});
}

const char* RowKindName(const Report& r, RowKind kind)
{
    static const char* const names[] = {"task", "work", "break"};
    return kind == ROW_TASK && r.group == GROUP_PROJECT ? "project" : names[kind];
}

const char* RowHeading(const Report& r)
{
    return r.group == GROUP_PROJECT ? "Project" : "Task";
}

std::string RowName(const Report& r, const OutputRow& row)
{
    if (row.kind == ROW_TASK)
        return r.taskNames[row.task];
    return row.kind == ROW_BREAK ? r.breakName : std::string();
}

const char* PeriodHeading(ReportView view)
{
    static const char* const headings[] = {"Day", "Week", "Month", "Range"};
    return headings[view];
}

} // namespace report
