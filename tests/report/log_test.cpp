// Reading timelog.csv: the lines the timer writes, line ends of every kind, damaged lines.
#include <string.h>

#include <string>

#include "base/local_time.h"
#include "report_test_support.h"

namespace {

const char* Parse(const std::string& text)
{
    report::LogLine line;
    return report::ParseLogLine(text.data(), text.data() + text.size(), &line);
}

TEST(TimeLogLine, MalformedLinesAreRejectedWithTheirReason)
{
    struct Case { const char* line; const char* reason; } cases[] = {
        {"2026-12-05 09:03:07,1:12:33,4353,A", "start is not YYYY/MM/DD HH:MM:SS"},
        {"  999/12/05 09:03:07,,,", "start is not"}, {"999/12/05 09:03:07,,,", "start is not"}, {"2026/12/05 09:03:07", "start is"},
        {" 999/12/05 09:03:07,1:12:33,4353,A", "start date is not a real date"},
        {"2026/02/29 09:03:07,1:12:33,4353,A", "start date"}, {"2026/13/05 09:03:07,,,", "start date"},
        {"30828/01/01 09:03:07,1:12:33,4353,A", "start date"}, {"1600/12/31 09:03:07,,,", "start date"},
        {"2026/12/05 24:00:00,1:12:33,4353,A", "start time is not a real time"},
        {"2026/12/05 23:60:00,1:12:33,4353,A", "start time"}, {"2026/12/05 23:59:60,,,", "start time"},
        {"2026/12/05 09:03:07,1:12,4320,A", "duration is not H:MM:SS"},
        {"2026/12/05 09:03:07,1000000:00:00,1,A", "duration"},
        {"2026/12/05 09:03:07,100000:00:00,1,A", "H:MM:SS does not match"},
        {"2026/12/05 09:03:07,0:00:00,21474836470,A", "seconds field is not a number"},
        {"2026/12/05 09:03:07,1:12:33,43x3,A", "seconds field is not a number"},
        {"2026/12/05 09:03:07,596523:14:08,2147483648,A", "seconds field is larger than 2147483647"},
        {"2026/12/05 09:03:07,1:12:34,4353,A", "H:MM:SS does not match the seconds field"},
        {"2026/12/05 09:03:07,0:72:33,4353,A", "H:MM:SS"}, {"2026/12/05 09:03:07,0:60:00,3600,A", "H:MM:SS"},
        {"2026/12/05 09:03:07,0:00:60,60,A", "H:MM:SS"}, {"2026/12/05 09:03:07,1:11:93,4353,A", "H:MM"},
        {"2026/12/05 09:03:07,1:12:33,4353,", "no task name"}, {"", "empty line"}};
    for (const Case& c : cases) {
        const char* reason = Parse(c.line);
        ASSERT_NE(reason, nullptr) << c.line;
        EXPECT_EQ(std::string(reason).rfind(c.reason, 0), 0u) << c.line << ": " << reason;
    }
}

TEST(TimeLogLine, EveryTwoDigitFieldHasTwoDigits)
{
    const std::string line = "2026/12/05 09:03:07,0:00:05,5,A"; // a dropped 0 leaves the sum right
    ASSERT_EQ(Parse(line), nullptr);
    for (size_t at : {5, 8, 11, 14, 17, 22, 25}) {
        EXPECT_NE(Parse(line.substr(0, at) + line.substr(at + 1)), nullptr) << at;
        EXPECT_NE(Parse(line.substr(0, at) + "0" + line.substr(at)), nullptr) << at;
    }
}

TEST(TimeLogFile, DamagedLinesAreNamedByNumberAndTheRestIsReadWhateverItsLineEnds)
{
    std::string err, log = "\n2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,1:00:00,x,A\r\n"
                           "\r\n1999/12/05 11:00:00,0:10:00,600,A\n2026/12/05 14:00:00,0:3\n\n"
                           "2026/12/05 23:00:00,0:00:01,1,B\r";
    EXPECT_EQ(TaskTotals(log), "1999-12-05 A 600; 2026-12-05 A 3600; 2026-12-05 B 1");
    ReportOf(log, {}, &err);
    EXPECT_EQ(err, "log:3: skipped: seconds field is not a number\n"
                   "log:6: skipped: duration is not H:MM:SS\n"
                   "vornet-report: 2 malformed line(s) skipped\n");
    EXPECT_EQ((err = "", ReportOf("\r\n\n", {}, &err), err), "");
}

} // namespace
