// What the tests of vornet-report share: the report of a log held in memory.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/report_log_file.h"
#include "report/report_run.h"
#include "report/report_table.h"

// The options these arguments give, for the file "log".
inline report::ReportOptions OptionsOf(std::vector<const char*> args)
{
    args.insert(args.begin(), "vornet-report");
    report::ReportOptions options;
    std::string problem;
    EXPECT_TRUE(report::ParseArguments(int(args.size()), args.data(), &options, &problem));
    options.fileNames = {"log"};
    return options;
}

// The report the command writes for `log` with these arguments; skipped lines to `err`.
inline std::string ReportOf(const std::string& log, const std::vector<const char*>& args,
                            std::string* err = nullptr)
{
    std::string out, messages;
    report::WriteReport(log, OptionsOf(args), &out, err != nullptr ? err : &messages);
    return out;
}

// The work tasks of every period as "period task seconds", joined by "; ".
inline std::string TaskTotals(const std::string& log, const std::vector<const char*>& args = {})
{
    report::ReportOptions options = OptionsOf(args);
    report::LogSummary summary;
    report::SummariseText(log.data(), log.size(), 1, report::AddSource(&summary, "log"), options,
                          &summary);
    report::Report r = report::BuildReport(summary, options);
    std::string totals;
    for (const report::ReportPeriod& p : r.periods)
        for (const report::TaskTime& t : p.tasks)
            totals += (totals.empty() ? "" : "; ") + p.label + " " + r.taskNames[t.task] + " " +
                      std::to_string(t.seconds);
    return totals;
}

// A file of tests/report/data: a log, or what the command is expected to write.
inline std::string DataFile(const std::string& name)
{
    std::string text;
    EXPECT_TRUE(report::ReadWholeFile(VORNET_REPORT_TEST_DATA "/" + name, &text)) << name;
    return text;
}

// What the command writes, report then messages, for files of tests/report/data named as
// there (in the messages too), with the local clock at `now`.
inline std::string RunOnData(const std::vector<std::string>& args, int64_t now = 0)
{
    const std::string data = VORNET_REPORT_TEST_DATA "/";
    std::vector<std::string> full = {"vornet-report"};
    for (const std::string& arg : args)
        full.push_back(arg[0] == '-' ? arg : data + arg);
    std::vector<const char*> argv;
    for (const std::string& arg : full)
        argv.push_back(arg.c_str());
    std::string out, err;
    report::RunReport(int(argv.size()), argv.data(), now, &out, &err);
    for (size_t at; (at = err.find(data)) != std::string::npos;)
        err.erase(at, data.size());
    return out + err;
}
