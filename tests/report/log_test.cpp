// Reading timelog.csv: the lines the timer writes, line ends of every kind, damaged lines.
#include <string>

#include "report_test_support.h"

namespace {

// Lines as the timer writes them: "%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d,name".
TEST(TimeLogLine, EveryLineTheTimerWritesIsReadBack)
{
    struct Case { const char* line; int date, time; int64_t seconds; const char* name; } cases[] = {
        {"2026/12/05 09:03:07,1:12:33,4353,Coding, \"quoted\"", 20261205, 90307, 4353,
         "Coding, \"quoted\""},
        {"1601/01/01 00:00:00,0:00:00,0,\x93\xfa\x96\x7b \xe9", 16010101, 0, 0, "\x93\xfa\x96\x7b \xe9"},
        {"30827/12/31 23:59:59,596523:14:07,2147483647,x", 308271231, 235959, 2147483647, "x"},
        {"2028/02/29 12:00:00,100:00:00,360000,,", 20280229, 120000, 360000, ","}};
    for (const Case& c : cases) {
        report::LogLine line;
        ASSERT_EQ(report::ParseLogLine(c.line, c.line + strlen(c.line), &line), nullptr) << c.line;
        EXPECT_EQ(line.date.year * 10000 + line.date.month * 100 + line.date.day, c.date);
        EXPECT_EQ(line.hour * 10000 + line.minute * 100 + line.second, c.time);
        EXPECT_EQ(line.seconds, c.seconds);
        EXPECT_EQ(std::string(line.name), c.name);
    }
}

TEST(TimeLogLine, MalformedLinesAreRejectedWithTheirReason)
{
    struct Case { const char* line; const char* reason; } cases[] = {
        {"2026-12-05 09:03:07,1:12:33,4353,A", "start is not YYYY/MM/DD HH:MM:SS"},
        {"26/12/05 09:03:07,1:12:33,4353,A", "start is not"},
        {"  999/12/05 09:03:07,1:12:33,4353,A", "start is not"},
        {" 999/12/05 09:03:07,1:12:33,4353,A", "start date is not a real date"},
        {"2026/12/5 09:03:07,1:12:33,4353,A", "start is not"},
        {"2026/12/05 09:03:07", "start is not"},
        {"2026/02/29 09:03:07,1:12:33,4353,A", "start date is not a real date"},
        {"2026/13/05 09:03:07,1:12:33,4353,A", "start date"},
        {"2026/12/00 09:03:07,1:12:33,4353,A", "start date"},
        {"1600/12/31 09:03:07,1:12:33,4353,A", "start date"},
        {"30828/01/01 09:03:07,1:12:33,4353,A", "start date"},
        {"2026/12/05 24:00:00,1:12:33,4353,A", "start time is not a real time"},
        {"2026/12/05 09:60:00,1:12:33,4353,A", "start time"},
        {"2026/12/05 09:03:60,1:12:33,4353,A", "start time"},
        {"2026/12/05 09:03:07,1:12,4320,A", "duration is not H:MM:SS"},
        {"2026/12/05 09:03:07,1:2:33,3753,A", "duration"},
        {"2026/12/05 09:03:07,1:12:33,43x3,A", "seconds field is not a number"},
        {"2026/12/05 09:03:07,1:12:33,4353", "seconds field is not"},
        {"2026/12/05 09:03:07,596523:14:08,2147483648,A", "seconds field is larger than 2147483647"},
        {"2026/12/05 09:03:07,1:12:34,4353,A", "H:MM:SS does not match the seconds field"},
        {"2026/12/05 09:03:07,0:72:33,4353,A", "H:MM:SS"},
        {"2026/12/05 09:03:07,1:11:93,4353,A", "H:MM:SS"},
        {"2026/12/05 09:03:07,1:12:33,4353,", "no task name"},
        {"", "empty line"}};
    for (const Case& c : cases) {
        report::LogLine line;
        const char* reason = report::ParseLogLine(c.line, c.line + strlen(c.line), &line);
        ASSERT_NE(reason, nullptr) << c.line;
        EXPECT_EQ(std::string(reason).rfind(c.reason, 0), 0u) << c.line << ": " << reason;
    }
}

TEST(TimeLogFile, EveryKindOfLineEndIsReadAndBlankLinesArePassedOver)
{
    const std::string a = "2026/12/05 09:00:00,1:00:00,3600,A", b = "1999/12/05 10:00:00,0:30:00,1800,B";
    for (const std::string& file : {a + "\r\n" + b + "\r\n", a + "\n" + b, a + "\r\n\r\n\n" + b + "\r",
                                    "\n" + a + "\n" + b + "\r\n\r\n"}) {
        std::string err;
        EXPECT_EQ(TaskTotals(file, {}), "1999-12-05 B 1800; 2026-12-05 A 3600");
        EXPECT_EQ((ReportOf(file, {}, &err), err), "");
    }
}

TEST(TimeLogFile, DamagedLinesAreNamedByNumberAndTheRestIsCounted)
{
    std::string err, log = "2026/12/05 09:00:00,1:00:00,3600,A\r\n"
                           "2026/12/05 10:00:00,1:00:00,x,A\r\n"
                           "\r\n"
                           "2026/12/05 11:00:00,0:10:00,600,A\n"
                           "2026/12/05 14:00:00,0:3";
    EXPECT_EQ(TaskTotals(log), "2026-12-05 A 4200");
    ReportOf(log, {}, &err);
    EXPECT_EQ(err, "log:2: skipped: seconds field is not a number\n"
                   "log:5: skipped: duration is not H:MM:SS\n"
                   "vornet-report: 2 malformed line(s) skipped\n");
}

} // namespace
