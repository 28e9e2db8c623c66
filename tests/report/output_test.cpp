// The three formats: the text table, CSV and the HTML page with its chart.
#include <stdlib.h>

#include <string>

#include "report/report_output.h"
#include "report_test_support.h"

namespace {

const char kLog[] = "2026/12/05 09:00:00,1:00:00,3600,Coding\r\n2026/12/05 10:00:00,0:15:00,900,Break\r\n"
                    "2026/12/05 10:15:00,0:00:30,30,\xe6\x97\xa5\xe6\x9c\xac\r\n"
                    "2026/12/07 23:00:00,2:00:00,7200,Say \"hi\", <then> & 'go'\r\n";

TEST(TextOutput, ColumnsLineUpAsATerminalShowsThem)
{
    EXPECT_EQ(ReportOf(kLog, {"--to=2026-12-07"}),
              "Day         Task                        Time  Hours\n"
              "2026-12-05  Coding                   1:00:00   1.00\n"
              "2026-12-05  \xe6\x97\xa5\xe6\x9c\xac                     0:00:30   0.01\n"
              "2026-12-05  = work                   1:00:30   1.01\n"
              "2026-12-05  = break (Break)          0:15:00   0.25\n"
              "2026-12-07  Say \"hi\", <then> & 'go'  1:00:00   1.00\n"
              "2026-12-07  = work                   1:00:00   1.00\n"
              "2026-12-07  = break (Break)          0:00:00   0.00\n");
    EXPECT_EQ(ReportOf("", {"--by=week"}), "Week  Task  Time  Hours\n(no time in this range)\n");
}

TEST(TextOutput, EastAsianWideCharactersTakeTwoColumns)
{
    struct Case { const char* text; size_t columns; } cases[] = {
        {"Caf\xc3\xa9", 4}, {"\xe1\x83\xbf\xe1\x84\x80\xe1\x85\x9f\xe1\x85\xa0", 6},
        {"\xe2\xb9\xbf\xe2\xba\x80\xea\x93\x8f\xea\x93\x90", 6}, {"\xea\xaf\xbf\xea\xb0\x80\xed\x9e\xa3\xed\x9e\xa4", 6},
        {"\xef\xa3\xbf\xef\xa4\x80\xef\xab\xbf\xef\xac\x80", 6}, {"\xef\xbb\xbf\xef\xbc\x80\xef\xbd\xa0\xef\xbd\xa1", 6},
        {"\xef\xbf\x9f\xef\xbf\xa0\xef\xbf\xa6\xef\xbf\xa7", 6}, {"\xe0\xa0\x80\xf0\x9f\x98\x80\xf0\xa0\x80\x80", 4}};
    for (const Case& c : cases)
        EXPECT_EQ(report::DisplayWidth(c.text), c.columns) << c.text;
}

TEST(CsvOutput, IsUtf8WithAByteOrderMarkAndQuotesOnlyWhereNeeded)
{
    EXPECT_EQ(ReportOf(kLog, {"--format=csv", "--by=total", "--to=2026-12-07"}),
              "\xef\xbb\xbfperiod,kind,task,seconds,duration,hours\r\n"
              "2026-12-05..2026-12-07,task,Coding,3600,1:00:00,1.00\r\n"
              "2026-12-05..2026-12-07,task,\"Say \"\"hi\"\", <then> & 'go'\",3600,1:00:00,1.00\r\n"
              "2026-12-05..2026-12-07,task,\xe6\x97\xa5\xe6\x9c\xac,30,0:00:30,0.01\r\n"
              "2026-12-05..2026-12-07,work,,7230,2:00:30,2.01\r\n"
              "2026-12-05..2026-12-07,break,Break,900,0:15:00,0.25\r\n");
    for (const char* field : {"a\rb", "a\nb"}) {
        std::string out;
        report::AppendCsvField(&out, field);
        EXPECT_EQ(out, "\"" + std::string(field) + "\"");
    }
}

TEST(HtmlOutput, IsUtf8AndEscapesWhatMarkupWouldRead)
{
    std::string html = ReportOf(kLog, {"--format=html"});
    EXPECT_EQ(html.find("<!DOCTYPE html>\n<html "), 0u);
    for (const char* part : {"<meta charset=\"UTF-8\"/>", "<td>Work total</td>", "<td>\xe6\x97\xa5\xe6\x9c\xac</td>",
                             "<td>Say &quot;hi&quot;, &lt;then&gt; &amp; &#39;go&#39;</td>"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
    EXPECT_EQ(html.find("<script"), std::string::npos);
    std::string out;
    report::AppendEscaped(&out, "a\x01\tb\x7f\x1f");
    EXPECT_EQ(out, "a&#xFFFD;\tb&#xFFFD;&#xFFFD;");
}

// The drawing and the legend of the page for this log: tests/report/data/chart.html.
std::string ExpectedChart()
{
    std::string text;
    EXPECT_TRUE(report::ReadWholeFile(VORNET_REPORT_TEST_DATA "/chart.html", &text));
    return text;
}

TEST(HtmlChart, StacksEachBarInTheOrderOfTheTasksOverAllDays)
{
    std::string html = ReportOf("2026/12/05 09:00:00,0:00:05,5,B\r\n2026/12/05 09:00:05,0:00:20,20,A\r\n"
                                "2026/12/05 09:00:25,0:00:10,10,Break\r\n2026/12/06 09:00:00,0:00:30,30,B\r\n",
                                {"--format=html"});
    size_t svg = html.find("<svg ");
    EXPECT_EQ(html.substr(svg, html.find("</ul>") - svg), ExpectedChart());
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
    struct Case { const char* duration; int64_t seconds; const char* ticks; } cases[] = {
        {"0:00:00", 0, "0m 1m"}, {"0:06:59", 419, "0m 1m 2m 3m 4m 5m 6m 7m"},
        {"0:08:00", 480, "0m 2m 4m 6m 8m 10m"}, {"0:16:00", 960, "0m 5m 10m 15m 20m"},
        {"0:40:00", 2400, "0m 10m 20m 30m 40m 50m"}, {"1:59:59", 7199, "0m 20m 40m 60m 80m 100m 120m"},
        {"2:00:00", 7200, "0h 1h 2h 3h"}, {"8:00:00", 28800, "0h 2h 4h 6h 8h 10h"},
        {"16:00:00", 57600, "0h 5h 10h 15h 20h"}, {"80:00:00", 288000, "0h 20h 40h 60h 80h 100h"},
        {"400:00:00", 1440000, "0h 100h 200h 300h 400h 500h"}};
    for (const Case& c : cases) {
        std::string html = ReportOf(std::string("2026/12/05 00:00:00,") + c.duration + "," +
                                    std::to_string(c.seconds) + ",T", {"--format=html", "--by=total"});
        std::string ticks;
        double width = 0;
        for (const SvgText& t : ChartTexts(html, &width))
            ticks += t.anchor == "middle" ? (ticks.empty() ? "" : " ") + t.text : "";
        EXPECT_EQ(ticks, c.ticks) << c.seconds;
    }
}

} // namespace
