// The command: its arguments, the file it reads and its exit codes.
#include <stdio.h>

#include <string>

#include "report_test_support.h"

namespace {

int RunTool(std::vector<const char*> args, std::string* out, std::string* err)
{
    args.insert(args.begin(), "vornet-report");
    return report::RunReport(static_cast<int>(args.size()), args.data(), 0, out, err);
}

TEST(Arguments, WrongOnesEndWithExitCodeTwoAndSayWhatIsWrong)
{
    struct Case { std::vector<const char*> args; const char* problem; } cases[] = {
        {{"--charset", "latin-9"}, "unknown --charset \"latin-9\""},
        {{"--charset=koi8-r"}, "unknown --charset \"koi8-r\""},
        {{"--by", "year"}, "bad value for --by: \"year\""},
        {{"--format=pdf"}, "bad value for --format: \"pdf\""},
        {{"--from", "2026-02-29"}, "bad value for --from: \"2026-02-29\""},
        {{"--to", "26-12-01"}, "bad value for --to: \"26-12-01\""},
        {{"--break="}, "bad value for --break: \"\""}, {{"--by"}, "--by needs a value"},
        {{"--from=2026-12-02", "--to=2026-12-01"}, "--from is later than --to"},
        {{"--verbose"}, "unknown option --verbose"}};
    for (const Case& c : cases) {
        std::string out, err;
        EXPECT_EQ(RunTool(c.args, &out, &err), report::EXIT_USAGE) << c.problem;
        EXPECT_EQ(out + err, "vornet-report: " + std::string(c.problem) +
                                 "\nTry 'vornet-report --help'.\n");
    }
}

TEST(Command, HelpIsPrintedWhateverElseIsGiven)
{
    for (const char* flag : {"--help", "-h"}) {
        std::string out, err;
        EXPECT_EQ(RunTool({"--by=week", flag, "no-such-file.csv"}, &out, &err), report::EXIT_DONE);
        EXPECT_EQ(out + err, report::kUsage);
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
        EXPECT_EQ((out + err).rfind("vornet-report: cannot read " + std::string(c.file) + ": ", 0), 0u);
    }
}

TEST(Command, TheWholeFileIsRead)
{
    const char name[] = "vornet_report_test_input.csv";
    std::string log(9999999, 'x'), text; // more than one step of reading
    FILE* file = fopen(name, "wb");
    ASSERT_TRUE(file != nullptr && fwrite(log.data(), 1, log.size(), file) == log.size());
    ASSERT_EQ(fclose(file), 0);
    EXPECT_TRUE(report::ReadWholeFile(name, &text) && text == log);
    EXPECT_EQ(remove(name), 0);
}

} // namespace
