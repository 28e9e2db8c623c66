// Reading timelog.csv: the lines the timer writes, line ends of every kind, damaged lines.
#include <string.h>

#include <string>

#include "report_test_support.h"

namespace {

const char* Parse(const char* text, report::LogLine* line)
{
    return report::ParseLogLine(text, text + strlen(text), line);
}

TEST(TimeLogLine, MalformedLinesAreRejectedWithTheirReason)
{
    struct Case { const char* line; const char* reason; } cases[] = {
        {"2026-12-05 09:03:07,1:12:33,4353,A", "start is not YYYY/MM/DD HH:MM:SS"},
        {"  999/12/05 09:03:07,1:12:33,4353,A", "start is not"},
        {"2026/12/05 09:03:07", "start is not"},
        {" 999/12/05 09:03:07,1:12:33,4353,A", "start date is not a real date"},
        {"2026/02/29 09:03:07,1:12:33,4353,A", "start date"},
        {"2026/13/05 09:03:07,1:12:33,4353,A", "start date"},
        {"30828/01/01 09:03:07,1:12:33,4353,A", "start date"},
        {"2026/12/05 24:00:00,1:12:33,4353,A", "start time is not a real time"},
        {"2026/12/05 23:60:00,1:12:33,4353,A", "start time"}, {"2026/12/05 23:59:60,,,", "start time"},
        {"2026/12/05 09:03:07,1:12,4320,A", "duration is not H:MM:SS"},
        {"2026/12/05 09:03:07,1:2:33,3753,A", "duration"},
        {"2026/12/05 09:03:07,1:12:33,43x3,A", "seconds field is not a number"},
        {"2026/12/05 09:03:07,596523:14:08,2147483648,A", "seconds field is larger than 2147483647"},
        {"2026/12/05 09:03:07,1:12:34,4353,A", "H:MM:SS does not match the seconds field"},
        {"2026/12/05 09:03:07,0:72:33,4353,A", "H:MM:SS"}, {"2026/12/05 09:03:07,1:11:93,4353,A", "H:MM"},
        {"2026/12/05 09:03:07,1:12:33,4353,", "no task name"}, {"", "empty line"}};
    for (const Case& c : cases) {
        report::LogLine line;
        const char* reason = Parse(c.line, &line);
        ASSERT_NE(reason, nullptr) << c.line;
        EXPECT_EQ(std::string(reason).rfind(c.reason, 0), 0u) << c.line << ": " << reason;
    }
}

TEST(TimeLogFile, EveryKindOfLineEndIsReadAndBlankLinesArePassedOver)
{
    const std::string a = "2026/12/05 09:00:00,1:00:00,3600,A", b = "1999/12/05 10:00:00,0:30:00,1800,B";
    for (const std::string& file : {a + "\r\n" + b + "\r\n", a + "\n" + b, "\n" + a + "\r\n\r\n\n" + b + "\r"}) {
        std::string err;
        EXPECT_EQ(TaskTotals(file), "1999-12-05 B 1800; 2026-12-05 A 3600");
        EXPECT_EQ((ReportOf(file, {}, &err), err), "");
    }
}

TEST(TimeLogFile, DamagedLinesAreNamedByNumberAndTheRestIsCounted)
{
    std::string err, log = "2026/12/05 09:00:00,1:00:00,3600,A\r\n2026/12/05 10:00:00,1:00:00,x,A\r\n"
                           "\r\n2026/12/05 11:00:00,0:10:00,600,A\n2026/12/05 14:00:00,0:3";
    EXPECT_EQ(TaskTotals(log), "2026-12-05 A 4200");
    ReportOf(log, {}, &err);
    EXPECT_EQ(err, "log:2: skipped: seconds field is not a number\n"
                   "log:5: skipped: duration is not H:MM:SS\n"
                   "vornet-report: 2 malformed line(s) skipped\n");
}

} // namespace
