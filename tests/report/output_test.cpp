// The three formats, read back: CSV with an RFC 4180 reader, the HTML page with an XML
// reader, the text table by its columns.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "fake_system.h"
#include "report/report_output.h"
#include "report/report_table.h"
#include "report_test_support.h"

namespace {

struct Built {
    std::string log; // the summary's names point into it
    report::LogSummary summary;
    report::Report report;
};

void Build(Built* b, const std::string& log, const report::ReportOptions& options)
{
    b->log = log;
    report::SummariseLog(b->log.data(), b->log.size(), options, &b->summary);
    b->report = report::BuildReport(b->summary, options);
}

const char* const kAwkwardNames[] = {"Meeting, client", "Say \"hi\"", "a,\"b\",c", "\"",
                                     "plain", "<b>&amp;</b>", "Tom's",
                                     "caf\xe9 \x93\xfa\x96\x7b"};

std::string AwkwardLog()
{
    std::string log;
    int i = 0;
    for (const char* name : kAwkwardNames) {
        log += TimerLine(At(2026, 12, 5 + i % 3, 9 + i, 0, 0), 600 * (i + 1), name);
        ++i;
    }
    log += TimerLine(At(2026, 12, 7, 23, 0, 0), 7200, "Break"); // into the 8th
    return log;
}

TEST(CsvOutput, ReadsBackAsTheTotalsWithTheirColumns)
{
    Built b;
    Build(&b, AwkwardLog(), report::ReportOptions());
    std::vector<std::vector<std::string>> records;
    ASSERT_TRUE(ParseCsv(report::FormatCsv(b.report), &records));
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0], (std::vector<std::string>{"period", "kind", "task", "seconds",
                                                    "duration", "hours"}));
    TotalsTable expected = TotalsOf(AwkwardLog()), read;
    for (size_t i = 1; i < records.size(); ++i) {
        const std::vector<std::string>& r = records[i];
        ASSERT_EQ(r.size(), 6u);
        int64_t seconds = std::stoll(r[3]);
        EXPECT_EQ(r[4], report::FormatDuration(seconds));
        EXPECT_EQ(r[5], report::FormatHours(seconds));
        if (r[1] == "task")
            read[r[0]][r[2]] = seconds;
        else if (r[1] == "work" && r[2].empty())
            read[r[0]]["= work"] = seconds;
        else if (r[1] == "break" && r[2] == "Break")
            read[r[0]]["= break"] = seconds;
        else
            ADD_FAILURE() << "unexpected row kind " << r[1];
    }
    EXPECT_EQ(read, expected);
    std::set<std::string> names;
    for (const auto& period : read)
        for (const auto& row : period.second)
            names.insert(row.first);
    for (const char* name : kAwkwardNames)
        EXPECT_EQ(names.count(name), 1u) << name;
}

TEST(CsvOutput, QuotesAFieldOnlyWhenItMustBe)
{
    struct Case {
        std::string field, written;
    } cases[] = {
        {"plain", "plain"},
        {"", ""},
        {"Meeting, client", "\"Meeting, client\""},
        {"Say \"hi\"", "\"Say \"\"hi\"\"\""},
        {"lone\rreturn", "\"lone\rreturn\""},
        {" spaced ", " spaced "},
        {"caf\xe9", "caf\xe9"},
    };
    for (const Case& c : cases) {
        std::string out;
        report::AppendCsvField(&out, c.field);
        EXPECT_EQ(out, c.written) << c.field;
    }
}

TEST(HtmlOutput, IsWellFormedWithOneBarGroupPerDay)
{
    Built b;
    Build(&b, AwkwardLog(), report::ReportOptions());
    XmlNode html;
    std::string error;
    ASSERT_TRUE(ParseXml(report::FormatHtml(b.report, ""), &html, &error)) << error;
    EXPECT_EQ(html.name, "html");
    std::vector<const XmlNode*> svgs = FindAll(html, "svg");
    ASSERT_EQ(svgs.size(), 1u);
    std::vector<std::string> labels;
    double pixelsPerSecond = -1;
    for (const XmlNode* g : FindAll(*svgs[0], "g")) {
        if (Attribute(*g, "class") != "bar")
            continue;
        std::vector<const XmlNode*> texts = FindAll(*g, "text");
        ASSERT_FALSE(texts.empty());
        labels.push_back(AllText(*texts[0]));
        TotalsTable totals = TotalsOf(AwkwardLog());
        const std::map<std::string, int64_t>& day = totals[labels.back()];
        double width = 0;
        for (const XmlNode* rect : FindAll(*g, "rect"))
            width += std::stod(Attribute(*rect, "width"));
        double scale = width / double(day.at("= work") + day.at("= break"));
        if (pixelsPerSecond < 0)
            pixelsPerSecond = scale;
        EXPECT_NEAR(scale, pixelsPerSecond, 0.02 / 60) << labels.back(); // one scale for all
    }
    EXPECT_EQ(labels, (std::vector<std::string>{"2026-12-05", "2026-12-06", "2026-12-07",
                                                "2026-12-08"}));
}

TEST(HtmlOutput, NamesComeBackUnchangedFromTheMarkup)
{
    Built b;
    Build(&b, AwkwardLog() + TimerLine(At(2026, 12, 9, 9, 0, 0), 60, "bell\x07" "char"),
          report::ReportOptions());
    XmlNode html;
    std::string error;
    ASSERT_TRUE(ParseXml(report::FormatHtml(b.report, ""), &html, &error)) << error;
    std::set<std::string> segments, cells; // names in the bars' tooltips and in the table
    for (const XmlNode* rect : FindAll(html, "rect")) {
        std::string title = AllText(*FindAll(*rect, "title").at(0));
        segments.insert(title.substr(0, title.rfind(": ")));
    }
    for (const XmlNode* td : FindAll(html, "td"))
        cells.insert(AllText(*td));
    for (const char* name : kAwkwardNames) {
        EXPECT_EQ(segments.count(name), 1u) << name;
        EXPECT_EQ(cells.count(name), 1u) << name;
    }
    EXPECT_EQ(cells.count("bell\xef\xbf\xbd" "char"), 1u); // a control byte becomes U+FFFD
}

TEST(HtmlOutput, HoldsNoScriptAndFetchesNothing)
{
    Built b;
    Build(&b, AwkwardLog(), report::ReportOptions());
    XmlNode html;
    std::string error;
    ASSERT_TRUE(ParseXml(report::FormatHtml(b.report, ""), &html, &error)) << error;
    for (const char* element : {"script", "link", "img", "image", "iframe", "object", "use"})
        EXPECT_TRUE(FindAll(html, element).empty()) << element;
    std::vector<const XmlNode*> stack = {&html};
    while (!stack.empty()) {
        const XmlNode* node = stack.back();
        stack.pop_back();
        for (const char* attribute : {"href", "src", "xlink:href", "onload", "onclick"})
            EXPECT_EQ(Attribute(*node, attribute), "") << node->name;
        for (const XmlNode& child : node->children)
            stack.push_back(&child);
    }
}

TEST(HtmlOutput, NamesTheEncodingOfTheNames)
{
    struct Case {
        const char* name;
        const char* charset; // asked for
        const char* named;   // in the page
    } cases[] = {
        {"ASCII only", "", "UTF-8"},
        {"\xe4\xbd\x9c\xe6\xa5\xad", "", "UTF-8"},
        {"caf\xe9", "", "windows-1252"},
        {"\xed\xa0\x80 surrogate", "", "windows-1252"},
        {"\x93\xfa\x96\x7b", "Shift_JIS", "Shift_JIS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Built b;
        Build(&b, TimerLine(At(2026, 12, 5, 9, 0, 0), 60, c.name), report::ReportOptions());
        XmlNode html;
        std::string error;
        ASSERT_TRUE(ParseXml(report::FormatHtml(b.report, c.charset), &html, &error)) << error;
        std::vector<const XmlNode*> metas = FindAll(html, "meta");
        ASSERT_EQ(metas.size(), 1u);
        EXPECT_EQ(Attribute(*metas[0], "charset"), c.named);
    }
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find('\n', start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

TEST(TextOutput, ColumnsLineUpAndEveryTotalIsShown)
{
    struct Case {
        report::ReportView view;
        const char* heading;
        size_t periods;
    } cases[] = {
        {report::VIEW_DAY, "Day", 4},
        {report::VIEW_WEEK, "Week", 2}, // 5-6 December in W49, 7-8 in W50
        {report::VIEW_TOTAL, "Range", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        Built b;
        Build(&b, AwkwardLog(), By(c.view));
        std::vector<std::string> lines = Lines(report::FormatText(b.report));
        ASSERT_GT(lines.size(), 1u);
        EXPECT_EQ(lines[0].compare(0, strlen(c.heading), c.heading), 0);
        size_t timeEnd = lines[0].find("Time") + 4;
        size_t works = 0;
        for (const std::string& line : lines) {
            EXPECT_EQ(line.size(), lines[0].size()) << line; // the last column is right-aligned
            EXPECT_NE(line[timeEnd - 1], ' ') << line;
            EXPECT_EQ(line[timeEnd], ' ') << line;
            works += line.find("= work") != std::string::npos;
        }
        EXPECT_EQ(works, c.periods);
    }
}

} // namespace
