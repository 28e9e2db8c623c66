// The three formats: the text table, CSV and the HTML page with its chart.
#include <stdlib.h>

#include <string>

#include "report/report_output.h"
#include "report_test_support.h"

namespace {

// The log of the expected outputs in tests/report/data, which were checked by eye: the
// columns line up as a terminal shows them, and the chart's numbers add up.
const char kLog[] = "2026/12/05 09:00:00,1:00:00,3600,Coding\r\n2026/12/05 10:00:00,0:15:00,900,Break\r\n"
                    "2026/12/05 10:15:00,0:00:30,30,\xe6\x97\xa5\xe6\x9c\xac\r\n"
                    "2026/12/07 23:00:00,2:00:00,7200,Say \"hi\", <then> & 'go'\r\n"
                    "2026/12/08 09:00:00,0:00:40,40,\xe6\x97\xa5\xe6\x9c\xac\r\n2026/12/08 09:00:40,0:00:19,19,Coding\r\n";

std::string Expected(const char* name) { return DataFile(name); }

TEST(TextOutput, IsATableWhoseColumnsLineUpAsATerminalShowsThem)
{
    EXPECT_EQ(ReportOf(kLog, {}), Expected("day.txt"));
    EXPECT_EQ(ReportOf("", {"--by=week"}), "Week  Task  Time  Hours\n(no time in this range)\n");
}

TEST(TextOutput, EastAsianWideCharactersTakeTwoColumns)
{
    struct Case { const char* text; size_t columns; } cases[] = {
        {"Caf\xc3\xa9", 4}, {"\xe1\x83\xbf\xe1\x84\x80\xe1\x85\x9f\xe1\x85\xa0", 6},
        {"\xe2\xb9\xbf\xe2\xba\x80\xea\x93\x8f\xea\x93\x90", 6},
        {"\xea\xaf\xbf\xea\xb0\x80\xed\x9e\xa3\xed\x9e\xa4", 6},
        {"\xef\xa3\xbf\xef\xa4\x80\xef\xab\xbf\xef\xac\x80", 6},
        {"\xef\xbb\xbf\xef\xbc\x80\xef\xbd\xa0\xef\xbd\xa1", 6},
        {"\xef\xbf\x9f\xef\xbf\xa0\xef\xbf\xa6\xef\xbf\xa7", 6},
        {"\xe0\xa0\x80\xf0\x9f\x98\x80\xf0\xa0\x80\x80", 4}, {"\xbf\x41", 2}};
    for (const Case& c : cases)
        EXPECT_EQ(report::DisplayWidth(c.text), c.columns) << c.text;
}

TEST(CsvOutput, IsUtf8WithAByteOrderMarkAndQuotesOnlyWhereNeeded)
{
    EXPECT_EQ(ReportOf(kLog, {"--format=csv", "--by=total"}), Expected("total.csv"));
    std::string out;
    report::AppendCsvField(&out, "a\rb\n");
    EXPECT_EQ(out, "\"a\rb\n\"");
}

// The page holds no script and fetches nothing; its bars are stacked in the order of the
// tasks over all days, so that a task sits in the same place on every bar.
TEST(HtmlOutput, IsOneUtf8PageWithTheChartTheLegendAndTheTable)
{
    EXPECT_EQ(ReportOf(kLog, {"--format=html"}), Expected("day.html"));
    std::string out;
    report::AppendEscaped(&out, "a\x01\tb\x7f\x1f");
    EXPECT_EQ(out, "a&#xFFFD;\tb&#xFFFD;&#xFFFD;");
}

// A bill: by month and project, each row rounded up to a quarter hour, the work total the
// sum of the rounded rows; a period past midnight at a month's end is shared between months.
TEST(Outputs, ShowTheRoundedMonthlyBillByProjectInEveryFormat)
{
    for (const char* format : {"txt", "csv", "html", "json"})
        EXPECT_EQ(RunOnData({"--by=month", "--group=project", "--round=15", "bill-log.csv",
                             std::string("--format=") + (format[0] == 't' ? "text" : format)}),
                  DataFile(std::string("bill.") + format)) << format;
}

// Names of a log that older timers wrote in windows-1252 and newer ones in UTF-8: each is read
// in its own encoding, and "Caf\xe9" and "Caf\xc3\xa9" are one task. Rounded to the minute.
TEST(Outputs, ShowEveryNameOfAMixedLogInUtf8InEveryFormat)
{
    for (const char* format : {"txt", "csv", "html", "json"})
        EXPECT_EQ(RunOnData({"--by=total", "--round=1", "mixed-log.csv",
                             std::string("--format=") + (format[0] == 't' ? "text" : format)}),
                  DataFile(std::string("mixed.") + format)) << format;
}

struct SvgText { double x; std::string anchor, text; };

// The chart's <text> elements, in order, and its width.
std::vector<SvgText> ChartTexts(const std::string& html, double* width)
{
    size_t svg = html.find("<svg "), end = html.find("</svg>");
    *width = atof(html.c_str() + html.find("width=\"", svg) + 7);
    std::vector<SvgText> texts;
    for (size_t at = html.find("<text ", svg); at < end; at = html.find("<text ", at + 1)) {
        size_t open = html.find('>', at), a = html.find("text-anchor=\"", at) + 13;
        texts.push_back({atof(html.c_str() + html.find(" x=\"", at) + 4),
                         a < open ? html.substr(a, html.find('"', a) - a) : "start",
                         html.substr(open + 1, html.find('<', open) - open - 1)});
    }
    return texts;
}

TEST(HtmlChart, EveryLabelLiesInsideTheDrawingAndWeeksShowTheirDates)
{
    struct Case { const char* by; const char* labels; } cases[] = {
        {"--by=day", "2026-12-05 2026-12-07 2026-12-08 "}, {"--by=total", "2026-12-05..2026-12-08 "},
        {"--by=week", "2026-W49 (2026-11-30 \xe2\x80\x93 2026-12-06) 2026-W50 (2026-12-07 \xe2\x80\x93 2026-12-13) "}};
    for (const Case& c : cases) {
        double width = 0;
        std::string labels;
        for (const SvgText& t : ChartTexts(ReportOf(kLog, {"--format=html", c.by}), &width)) {
            double extent = 7.0 * report::DisplayWidth(t.text); // 11 px sans-serif: at most 7 px a character
            double left = t.anchor == "end" ? t.x - extent : t.anchor == "middle" ? t.x - extent / 2 : t.x;
            EXPECT_GE(left, 0) << t.text;
            EXPECT_LE(left + extent, width) << t.text;
            labels += t.anchor == "end" ? t.text + " " : "";
        }
        EXPECT_EQ(labels, c.labels);
    }
}

TEST(HtmlChart, TheScaleRunsPastTheLongestBarInMinutesUnderTwoHours)
{
    struct Case { const char* line; const char* ticks; } cases[] = {
        {"0:00:00,0,T", "0m 1m"}, {"0:06:59,419,T", "0m 1m 2m 3m 4m 5m 6m 7m"},
        {"0:08:00,480,T", "0m 2m 4m 6m 8m 10m"}, {"0:16:00,960,T", "0m 5m 10m 15m 20m"},
        {"0:40:00,2400,T", "0m 10m 20m 30m 40m 50m"}, {"1:59:59,7199,T", "0m 20m 40m 60m 80m 100m 120m"},
        {"2:00:00,7200,T", "0h 1h 2h 3h"}, {"8:00:00,28800,T", "0h 2h 4h 6h 8h 10h"},
        {"16:00:00,57600,T", "0h 5h 10h 15h 20h"}, {"80:00:00,288000,T", "0h 20h 40h 60h 80h 100h"},
        {"400:00:00,1440000,T", "0h 100h 200h 300h 400h 500h"}};
    for (const Case& c : cases) {
        std::string ticks;
        double width = 0;
        std::string html = ReportOf(std::string("2026/12/05 00:00:00,") + c.line,
                                    {"--format=html", "--by=total"});
        for (const SvgText& t : ChartTexts(html, &width))
            ticks += t.anchor == "middle" ? (ticks.empty() ? "" : " ") + t.text : "";
        EXPECT_EQ(ticks, c.ticks) << c.line;
    }
}

} // namespace
