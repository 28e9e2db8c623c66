// What the tests of vornet-report share: the report of a log held in memory.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_run.h"

// The report the command writes for `log` with these arguments (the file named "log").
inline std::string ReportOf(const std::string& log, std::vector<const char*> args,
                            std::string* err = nullptr)
{
    args.insert(args.begin(), "vornet-report");
    report::ReportOptions options;
    std::string problem, out, messages;
    EXPECT_TRUE(report::ParseArguments(int(args.size()), args.data(), &options, &problem));
    options.fileName = "log";
    report::WriteReport(log, options, &out, &messages);
    if (err != nullptr)
        *err = messages;
    return out;
}

// The task rows of the CSV report as "period task seconds", joined by "; " (for names
// without commas or quotes).
inline std::string TaskTotals(const std::string& log, std::vector<const char*> args = {})
{
    args.push_back("--format=csv");
    std::string csv = ReportOf(log, args), totals;
    for (size_t at = 0, end; (end = csv.find("\r\n", at)) != std::string::npos; at = end + 2) {
        std::string row = csv.substr(at, end - at);
        size_t kind = row.find(','), task = row.find(',', kind + 1), secs = row.find(',', task + 1);
        if (row.compare(kind, task - kind, ",task") == 0)
            totals += (totals.empty() ? "" : "; ") + row.substr(0, kind) + " " +
                      row.substr(task + 1, secs - task - 1) + " " +
                      row.substr(secs + 1, row.find(',', secs + 1) - secs - 1);
    }
    return totals;
}
