// The command: its arguments, the file it reads and its exit codes.
#include <stdio.h>

#include <string>

#include "report_test_support.h"

namespace {

int RunTool(std::vector<const char*> args, std::string* out, std::string* err)
{
    args.insert(args.begin(), "vornet-report");
    return report::RunReport(static_cast<int>(args.size()), args.data(), out, err);
}

TEST(Arguments, WrongOnesEndWithExitCodeTwoAndSayWhatIsWrong)
{
    struct Case { std::vector<const char*> args; const char* problem; } cases[] = {
        {{"--charset", "latin-9"}, "unknown --charset \"latin-9\""},
        {{"--charset=koi8-r"}, "unknown --charset \"koi8-r\""},
        {{"--by", "month"}, "bad value for --by: \"month\""},
        {{"--format=pdf"}, "bad value for --format: \"pdf\""},
        {{"--from", "2026-02-29"}, "bad value for --from: \"2026-02-29\""},
        {{"--to", "26-12-01"}, "bad value for --to: \"26-12-01\""},
        {{"--break="}, "bad value for --break: \"\""},
        {{"--from=2026-12-02", "--to=2026-12-01"}, "--from is later than --to"},
        {{"--by"}, "--by needs a value"},
        {{"--verbose"}, "unknown option --verbose"},
        {{"a.csv", "b.csv"}, "more than one file given"}};
    for (const Case& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunTool(c.args, &out, &err), report::EXIT_USAGE) << c.problem;
        EXPECT_EQ(err, std::string("vornet-report: ") + c.problem + "\nTry 'vornet-report --help'.\n");
        EXPECT_EQ(out, "");
    }
}

TEST(Arguments, TheFileIsTheOneArgumentThatIsNoOption)
{
    struct Case { std::vector<const char*> args; const char* file; } cases[] = {
        {{}, "timelog.csv"}, {{"--by", "week", "log.csv"}, "log.csv"},
        {{"--", "--by"}, "--by"}, {{"-"}, "-"}, {{"--break", "x.csv", "--charset=utf-8"}, "timelog.csv"}};
    for (const Case& c : cases) {
        std::vector<const char*> argv = c.args;
        argv.insert(argv.begin(), "vornet-report");
        report::ReportOptions o;
        std::string problem;
        EXPECT_TRUE(report::ParseArguments(int(argv.size()), argv.data(), &o, &problem));
        EXPECT_EQ(o.fileName, c.file);
    }
}

TEST(Command, HelpIsPrintedWhateverElseIsGiven)
{
    for (const char* flag : {"--help", "-h"}) {
        std::string out, err;
        EXPECT_EQ(RunTool({flag, "no-such-file.csv"}, &out, &err), report::EXIT_DONE);
        EXPECT_EQ(out, report::kUsage);
        EXPECT_EQ(err, "");
    }
}

TEST(Command, AFileThatCannotBeReadEndsWithExitCodeOne)
{
    for (const char* name : {"no-such-file.csv", "."}) {
        std::string out, err;
        EXPECT_EQ(RunTool({name}, &out, &err), report::EXIT_UNREADABLE) << name;
        EXPECT_EQ(err.rfind(std::string("vornet-report: cannot read ") + name + ": ", 0), 0u);
        EXPECT_EQ(out, "");
    }
}

TEST(Command, TheWholeFileIsReadAndReported)
{
    const char name[] = "vornet_report_test_input.csv";
    std::string line = "2026/12/05 09:00:00,0:00:01,1,A\r\n", log;
    for (int i = 0; i < 300000; ++i)
        log += line;
    FILE* file = fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(fwrite(log.data(), 1, log.size(), file), log.size());
    ASSERT_EQ(fclose(file), 0);
    std::string out, err;
    EXPECT_EQ(RunTool({"--format=csv", name}, &out, &err), report::EXIT_DONE);
    EXPECT_NE(out.find("\r\n2026-12-05,task,A,300000,83:20:00,83.33\r\n"), std::string::npos);
    EXPECT_EQ(err, "");
    EXPECT_EQ(remove(name), 0);
}

} // namespace
