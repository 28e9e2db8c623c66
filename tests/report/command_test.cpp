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
        {{"--by"}, "--by needs a value"}, {{"--verbose"}, "unknown option --verbose"},
        {{"a.csv", "b.csv"}, "more than one file given"}};
    for (const Case& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunTool(c.args, &out, &err), report::EXIT_USAGE) << c.problem;
        EXPECT_EQ(err, std::string("vornet-report: ") + c.problem + "\nTry 'vornet-report --help'.\n");
        EXPECT_EQ(out, "");
    }
}

TEST(Command, HelpIsPrintedWhateverElseIsGiven)
{
    for (const char* flag : {"--help", "-h"}) {
        std::string out, err;
        EXPECT_EQ(RunTool({"--by=week", flag, "no-such-file.csv"}, &out, &err), report::EXIT_DONE);
        EXPECT_EQ(out, report::kUsage);
        EXPECT_EQ(err, "");
    }
}

TEST(Command, AFileThatCannotBeReadEndsWithExitCodeOne)
{
    struct Case { std::vector<const char*> args; const char* file; } cases[] = {
        {{"--break", "x.csv"}, "timelog.csv"}, {{"."}, "."}, {{"-"}, "-"},
        {{"--by", "week", "--", "--by"}, "--by"}};
    for (const Case& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunTool(c.args, &out, &err), report::EXIT_UNREADABLE) << c.file;
        EXPECT_EQ(err.rfind(std::string("vornet-report: cannot read ") + c.file + ": ", 0), 0u) << err;
        EXPECT_EQ(out, "");
    }
}

TEST(Command, TheWholeFileIsRead)
{
    const char name[] = "vornet_report_test_input.csv";
    std::string log(9999999, 'x'), text; // more than one step of reading
    FILE* file = fopen(name, "wb");
    ASSERT_TRUE(file != nullptr && fwrite(log.data(), 1, log.size(), file) == log.size());
    ASSERT_EQ(fclose(file), 0);
    EXPECT_TRUE(report::ReadWholeFile(name, &text));
    EXPECT_TRUE(text == log);
    EXPECT_EQ(remove(name), 0);
}

} // namespace
