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
        {{"--round=0"}, "bad value for --round: \"0\""}, {{"--round", "61"}, "bad value for --round: \"61\""},
        {{"--round=+5"}, "bad value for --round: \"+5\""}, {{"--round=100"}, "bad value for --round: \"100\""},
        {{"--group=client"}, "bad value for --group: \"client\""}, {{"--current=yes"}, "unknown option --current"},
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

// The log is read a step at a time: lines fall across the steps, one is longer than a step,
// and the last has no line end.
TEST(Command, ALogIsReadToItsEndWhereverItsLinesFallOnTheReadingSteps)
{
    const char name[] = "vornet_report_test_input.csv";
    std::string line = "2026/12/05 09:00:00,0:00:01,1,T\r\n", log, out, err;
    while (log.size() < 2 * report::READ_STEP)
        log += line;
    int64_t lines = static_cast<int64_t>(log.size() / line.size());
    log += "2026/12/05 09:00:00,0:00:02,2," + std::string(report::READ_STEP + 1, 'L') + "\n" +
           line.substr(0, line.size() - 2);
    FILE* file = fopen(name, "wb");
    ASSERT_TRUE(file != nullptr && fwrite(log.data(), 1, log.size(), file) == log.size());
    ASSERT_EQ(fclose(file), 0);
    EXPECT_EQ(RunTool({"--by=total", "--format=csv", name}, &out, &err), report::EXIT_DONE);
    EXPECT_NE(out.find(",work,," + std::to_string(lines + 3) + ","), std::string::npos) << err;
    EXPECT_EQ(remove(name), 0);
}

} // namespace
