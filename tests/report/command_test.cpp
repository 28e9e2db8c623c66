// The command: its arguments, the files it reads and its exit codes.
#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "fake_system.h"
#include "report/report_run.h"
#include "report_test_support.h"

namespace {

const char kInput[] = "vornet_report_test_input.csv";

int RunTool(std::vector<const char*> args, std::string* out, std::string* err)
{
    args.insert(args.begin(), "vornet-report");
    return report::RunReport(static_cast<int>(args.size()), args.data(), out, err);
}

void WriteInput(const std::string& text)
{
    FILE* file = fopen(kInput, "wb");
    ASSERT_NE(file, nullptr);
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
}

TEST(Arguments, AreReadIntoTheOptions)
{
    struct Case {
        std::vector<const char*> args;
        report::ReportView view;
        report::ReportFormat format;
        const char* from;
        const char* to;
        const char* breakName;
        const char* file;
    } cases[] = {
        {{}, report::VIEW_DAY, report::FORMAT_TEXT, nullptr, nullptr, "Break", "timelog.csv"},
        {{"--by", "week", "--format", "csv"}, report::VIEW_WEEK, report::FORMAT_CSV, nullptr,
         nullptr, "Break", "timelog.csv"},
        {{"--by=total", "--format=html", "log.csv"}, report::VIEW_TOTAL, report::FORMAT_HTML,
         nullptr, nullptr, "Break", "log.csv"},
        {{"--from", "2026-12-01", "--to=2026-12-31", "--break", "Pause"}, report::VIEW_DAY,
         report::FORMAT_TEXT, "2026-12-01", "2026-12-31", "Pause", "timelog.csv"},
        {{"--", "--by"}, report::VIEW_DAY, report::FORMAT_TEXT, nullptr, nullptr, "Break", "--by"},
        {{"-"}, report::VIEW_DAY, report::FORMAT_TEXT, nullptr, nullptr, "Break", "-"},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = c.args;
        argv.insert(argv.begin(), "vornet-report");
        report::ReportOptions o;
        std::string problem;
        ASSERT_TRUE(report::ParseArguments(int(argv.size()), argv.data(), &o, &problem))
            << problem;
        EXPECT_EQ(o.view, c.view);
        EXPECT_EQ(o.format, c.format);
        int64_t day = 0;
        EXPECT_EQ(o.fromDay, c.from && report::ParseIsoDate(c.from, &day) ? day : INT64_MIN);
        EXPECT_EQ(o.toDay, c.to && report::ParseIsoDate(c.to, &day) ? day : INT64_MAX);
        EXPECT_EQ(o.breakName, c.breakName);
        EXPECT_EQ(o.fileName, c.file);
    }
}

TEST(Arguments, WrongOnesEndWithExitCodeTwoAndNothingRead)
{
    const std::vector<std::vector<const char*>> cases = {
        {"--by", "month"},
        {"--by"},
        {"--format", "pdf"},
        {"--from", "2026-13-01"},
        {"--from", "2026-02-29"},
        {"--to", "26-12-01"},
        {"--from", "2026-12-02", "--to", "2026-12-01"},
        {"--break", ""},
        {"--charset", "utf-8\"><script>"},
        {"--verbose"},
        {"a.csv", "b.csv"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args[0]);
        std::string out, err;
        EXPECT_EQ(RunTool(args, &out, &err), report::EXIT_USAGE);
        EXPECT_TRUE(out.empty());
        EXPECT_NE(err.find("vornet-report: "), std::string::npos);
    }
}

TEST(Command, HelpIsPrintedAndEndsWell)
{
    for (const char* flag : {"--help", "-h"}) {
        std::string out, err;
        EXPECT_EQ(RunTool({flag, "no-such-file.csv"}, &out, &err), report::EXIT_DONE);
        EXPECT_EQ(out.rfind("Usage: vornet-report", 0), 0u);
        EXPECT_TRUE(err.empty());
    }
}

TEST(Command, AFileThatCannotBeReadEndsWithExitCodeOne)
{
    for (const char* name : {"no-such-file.csv", "."}) {
        std::string out, err;
        EXPECT_EQ(RunTool({name}, &out, &err), report::EXIT_UNREADABLE) << name;
        EXPECT_NE(err.find(std::string("cannot read ") + name), std::string::npos);
        EXPECT_TRUE(out.empty());
    }
}

TEST(Command, MalformedLinesAreNamedOnStandardErrorAndTheReportIsStillWritten)
{
    WriteInput(TimerLine(At(2026, 12, 5, 9, 0, 0), 3600, "Coding") + "2026/12/05 10:00\r\n" +
               TimerLine(At(2026, 12, 5, 11, 0, 0), 60, "Coding") + "x,y,z,w\r\n");
    std::string out, err;
    EXPECT_EQ(RunTool({"--format", "csv", kInput}, &out, &err), report::EXIT_DONE);
    EXPECT_NE(err.find(std::string(kInput) + ":2: skipped: "), std::string::npos) << err;
    EXPECT_NE(err.find(std::string(kInput) + ":4: skipped: "), std::string::npos) << err;
    EXPECT_NE(err.find("2 malformed line(s) skipped"), std::string::npos) << err;
    std::vector<std::vector<std::string>> records;
    ASSERT_TRUE(ParseCsv(out, &records));
    EXPECT_EQ(records.at(1), (std::vector<std::string>{"2026-12-05", "task", "Coding", "3660",
                                                        "1:01:00", "1.02"}));
    remove(kInput);
}

TEST(Command, AnEmptyLogGivesAnEmptyReport)
{
    WriteInput("");
    for (const char* format : {"text", "csv", "html"}) {
        std::string out, err;
        EXPECT_EQ(RunTool({"--format", format, kInput}, &out, &err), report::EXIT_DONE) << format;
        EXPECT_TRUE(err.empty()) << err;
        EXPECT_FALSE(out.empty());
    }
    remove(kInput);
}

} // namespace
