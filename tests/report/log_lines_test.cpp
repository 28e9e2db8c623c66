// Reading timelog.csv: the lines the timer writes, line ends of every kind, damaged lines.
#include <gtest/gtest.h>

#include <string>

#include "fake_system.h"
#include "report/report_log.h"
#include "report_test_support.h"

using report::LogLine;
using report::ParseLogLine;

namespace {

const char* Parse(const std::string& text, LogLine* line)
{
    return ParseLogLine(text.data(), text.data() + text.size(), line);
}

std::string WithoutLineEnd(std::string line)
{
    return line.substr(0, line.size() - 2);
}

TEST(TimeLogLine, EveryLineTheTimerWritesIsReadBack)
{
    struct Case {
        LocalTime start;
        int64_t seconds;
        std::string name;
    } cases[] = {
        {At(2026, 12, 5, 9, 3, 7), 4353, "Coding"},
        {At(2026, 12, 5, 9, 3, 7), 0, "Under a second"},
        {At(2026, 12, 5, 23, 59, 59), 97509, "27 hours 5 minutes 9 seconds"},
        {At(2026, 12, 5, 0, 0, 0), 2147483647, "The largest 32-bit total"},
        {At(1601, 1, 1, 0, 0, 0), 1, "First year of file times"},
        {At(30827, 12, 31, 23, 59, 59), 1, "Last year of file times"},
        {At(2028, 2, 29, 12, 0, 0), 60, "Leap day"},
        {At(2026, 12, 5, 9, 0, 0), 60, "Meeting, client, follow-up"},
        {At(2026, 12, 5, 9, 0, 0), 60, "Say \"hi\", then 'bye'"},
        {At(2026, 12, 5, 9, 0, 0), 60, "\x93\xfa\x96\x7b\x8c\xea cp932 \xe9\xe8 cp1252 \x81\xff"},
        {At(2026, 12, 5, 9, 0, 0), 60, "tab\tand lone\rcarriage return"},
        {At(2026, 12, 5, 9, 0, 0), 60, std::string(2047, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.substr(0, 40));
        std::string text = WithoutLineEnd(TimerLine(c.start, c.seconds, c.name.c_str()));
        LogLine line;
        ASSERT_EQ(Parse(text, &line), nullptr);
        EXPECT_EQ(line.date.year, c.start.wYear);
        EXPECT_EQ(line.date.month, c.start.wMonth);
        EXPECT_EQ(line.date.day, c.start.wDay);
        EXPECT_EQ(line.hour * 3600 + line.minute * 60 + line.second,
                  c.start.wHour * 3600 + c.start.wMinute * 60 + c.start.wSecond);
        EXPECT_EQ(line.seconds, c.seconds);
        EXPECT_EQ(std::string(line.name), c.name);
    }
}

TEST(TimeLogLine, MalformedLinesAreRejectedWithTheirReason)
{
    struct Case {
        const char* line;
        const char* reason; // a word of the reason given
    } cases[] = {
        {"", "empty"},
        {"abc", "start"},
        {"2026/12/05", "start"},
        {"2026/12/05 09:03:07", "start"},
        {"2026-12-05 09:03:07,1:12:33,4353,Coding", "start"},
        {"26/12/05 09:03:07,1:12:33,4353,Coding", "start"},
        {" 2026/12/05 09:03:07,1:12:33,4353,Coding", "start"},
        {"2026/12/5 09:03:07,1:12:33,4353,Coding", "start"},
        {"2026/12/05 9:03:07,1:12:33,4353,Coding", "start"},
        {"2026/12/05  09:03:07,1:12:33,4353,Coding", "start"},
        {",1:12:33,4353,Coding", "start"},
        {"2026/13/05 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2026/00/05 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2026/04/31 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2026/02/29 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2100/02/29 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2026/12/00 09:03:07,1:12:33,4353,Coding", "real date"},
        {"1600/12/31 09:03:07,1:12:33,4353,Coding", "real date"},
        {" 999/12/31 09:03:07,1:12:33,4353,Coding", "real date"},
        {"2026/12/05 24:00:00,1:12:33,4353,Coding", "real time"},
        {"2026/12/05 09:60:00,1:12:33,4353,Coding", "real time"},
        {"2026/12/05 09:03:60,1:12:33,4353,Coding", "real time"},
        {"2026/12/05 09:03:07", "start"},
        {"2026/12/05 09:03:07,", "duration"},
        {"2026/12/05 09:03:07,1:12:33", "duration"},
        {"2026/12/05 09:03:07,1:12,4320,Coding", "duration"},
        {"2026/12/05 09:03:07,1:2:33,3753,Coding", "duration"},
        {"2026/12/05 09:03:07,x:12:33,4353,Coding", "duration"},
        {"2026/12/05 09:03:07,1:12:33,4353", "seconds"},
        {"2026/12/05 09:03:07,1:12:33,,Coding", "seconds"},
        {"2026/12/05 09:03:07,1:12:33,43x3,Coding", "seconds"},
        {"2026/12/05 09:03:07,0:00:00,-5,Coding", "seconds"},
        {"2026/12/05 09:03:07,1:12:33,4353 ,Coding", "seconds"},
        {"2026/12/05 09:03:07,596523:14:08,2147483648,Coding", "larger"},
        {"2026/12/05 09:03:07,1:12:34,4353,Coding", "does not match"},
        {"2026/12/05 09:03:07,0:72:33,4353,Coding", "does not match"},
        {"2026/12/05 09:03:07,1:12:73,4353,Coding", "does not match"},
        {"2026/12/05 09:03:07,1:12:33,4353,", "no task name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        LogLine line;
        const char* reason = Parse(c.line, &line);
        ASSERT_NE(reason, nullptr);
        EXPECT_NE(std::string(reason).find(c.reason), std::string::npos) << reason;
    }
}

TEST(TimeLogFile, EveryKindOfLineEndIsRead)
{
    std::string a = WithoutLineEnd(TimerLine(At(2026, 12, 5, 9, 0, 0), 3600, "A"));
    std::string b = WithoutLineEnd(TimerLine(At(2026, 12, 5, 10, 0, 0), 1800, "B"));
    struct Case {
        const char* what;
        std::string file;
    } cases[] = {
        {"CR LF", a + "\r\n" + b + "\r\n"},
        {"LF", a + "\n" + b + "\n"},
        {"CR LF and LF mixed", a + "\n" + b + "\r\n"},
        {"CR LF, no final line end", a + "\r\n" + b},
        {"LF, no final line end", a + "\n" + b},
        {"a final lone CR", a + "\r\n" + b + "\r"},
        {"blank lines between and after", "\r\n" + a + "\r\n\r\n\n" + b + "\r\n\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TotalsTable totals = TotalsOf(c.file);
        EXPECT_EQ(totals["2026-12-05"]["A"], 3600);
        EXPECT_EQ(totals["2026-12-05"]["B"], 1800);
        EXPECT_EQ(totals["2026-12-05"]["= work"], 5400);
        EXPECT_TRUE(SkippedLineNumbers(c.file).empty());
    }
}

TEST(TimeLogFile, DamagedLinesAreSkippedByLineNumberAndTheRestIsCounted)
{
    std::string file = TimerLine(At(2026, 12, 5, 9, 0, 0), 3600, "A") + // 1
                       "2026/12/05 10:00:00,1:00:00\r\n" +                  // 2: short
                       TimerLine(At(2026, 12, 5, 11, 0, 0), 600, "B") +      // 3
                       "2026/02/30 10:00:00,1:00:00,3600,A\r\n" +          // 4: bad date
                       "\r\n" +                                            // 5: blank
                       "2026/12/05 12:00:00,1:00:00,3601,A\n" +            // 6: mismatch
                       "garbage \x01\xff\r\n" +                            // 7
                       TimerLine(At(2026, 12, 5, 13, 0, 0), 60, "A") +       // 8
                       "2026/12/05 14:00:00,0:3";                          // 9: cut short
    EXPECT_EQ(SkippedLineNumbers(file), (std::vector<int64_t>{2, 4, 6, 7, 9}));
    TotalsTable totals = TotalsOf(file);
    EXPECT_EQ(totals["2026-12-05"]["A"], 3660);
    EXPECT_EQ(totals["2026-12-05"]["B"], 600);
    EXPECT_EQ(totals.size(), 1u);
}

TEST(TimeLogFile, AFileOfNothingButDamageGivesNoTotals)
{
    struct Case {
        const char* what;
        std::string file;
        std::vector<int64_t> skipped;
    } cases[] = {
        {"empty file", "", {}},
        {"only line ends", "\r\n\n\r\n", {}},
        {"binary", std::string("\x00\x01\x02\n\xff\xfe", 6), {1, 2}},
        {"a header line", "start,duration,seconds,name\r\n", {1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_TRUE(TotalsOf(c.file).empty());
        EXPECT_EQ(SkippedLineNumbers(c.file), c.skipped);
    }
}

} // namespace
