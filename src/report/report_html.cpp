// The HTML page: no script, nothing fetched; it is also well-formed XML, so that any XML
// reader can take it apart.
#include <stdio.h>

#include <algorithm>

#include "report/report_output.h"

namespace report {

void AppendEscaped(std::string* out, std::string_view text)
{
    for (char c : text) {
        unsigned char b = static_cast<unsigned char>(c);
        switch (c) {
        case '&': *out += "&amp;"; break;
        case '<': *out += "&lt;"; break;
        case '>': *out += "&gt;"; break;
        case '"': *out += "&quot;"; break;
        case '\'': *out += "&#39;"; break;
        default:
            // Control characters are not allowed in XML, not even as references.
            if ((b < 0x20 && b != '\t') || b == 0x7f)
                *out += "&#xFFFD;";
            else
                *out += c;
        }
    }
}

int IsValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        int follow = b < 0x80 ? 0 : b >= 0xc2 && b <= 0xdf ? 1 : b >= 0xe0 && b <= 0xef ? 2
                   : b >= 0xf0 && b <= 0xf4 ? 3 : -1;
        if (follow < 0 || i + follow >= text.size())
            return 0;
        // The second byte's range rules out overlong forms, surrogates and values past U+10FFFF.
        unsigned char second = follow > 0 ? static_cast<unsigned char>(text[i + 1]) : 0;
        if ((b == 0xe0 && second < 0xa0) || (b == 0xed && second > 0x9f) ||
            (b == 0xf0 && second < 0x90) || (b == 0xf4 && second > 0x8f))
            return 0;
        for (int k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xc0) != 0x80)
                return 0;
        i += follow + 1;
    }
    return 1;
}

namespace {

const char* const kPalette[] = {"#4e79a7", "#f28e2b", "#59a14f", "#e15759", "#76b7b2", "#edc948",
                                "#b07aa1", "#ff9da7", "#9c755f", "#2f4b7c", "#a0cbe8", "#8cd17d"};
const int kPaletteSize = sizeof kPalette / sizeof kPalette[0];
const char kBreakColour[] = "#c8c8c8";

// The chart's geometry, in pixels.
struct ChartLayout {
    double labelWidth, barWidth, width, height, scale;
    int top, rowHeight, barHeight;
    int64_t maxSeconds;
};

std::string Number(double value)
{
    char text[40];
    snprintf(text, sizeof text, "%.2f", value);
    return text;
}

// Colours and stacking order by rank over the whole report, so that a task looks the same
// and sits in the same place on every bar.
struct TaskPaint {
    std::vector<const char*> colour;
    std::vector<size_t> rank;
};

TaskPaint PaintTasks(const Report& r)
{
    TaskPaint paint;
    paint.colour.assign(r.taskNames.size(), kBreakColour);
    paint.rank.assign(r.taskNames.size(), 0);
    for (size_t i = 0; i < r.taskRank.size(); ++i) {
        paint.colour[r.taskRank[i]] = kPalette[i % kPaletteSize];
        paint.rank[r.taskRank[i]] = i;
    }
    return paint;
}

ChartLayout LayOutChart(const Report& r)
{
    ChartLayout c;
    size_t longest = 0;
    c.maxSeconds = 0;
    for (const ReportPeriod& p : r.periods) {
        longest = std::max(longest, p.label.size());
        c.maxSeconds = std::max(c.maxSeconds, p.workSeconds + p.breakSeconds);
    }
    c.labelWidth = 7.0 * static_cast<double>(longest) + 16;
    c.barWidth = 720;
    c.width = c.labelWidth + c.barWidth + 150;
    c.top = 24;
    c.rowHeight = 20;
    c.barHeight = 14;
    c.height = c.top + c.rowHeight * static_cast<double>(r.periods.size()) + 8;
    c.scale = c.maxSeconds > 0 ? c.barWidth / static_cast<double>(c.maxSeconds) : 0;
    return c;
}

// Hour lines at a round step, at most eight of them.
void AppendGrid(std::string* out, const ChartLayout& c)
{
    static const int64_t steps[] = {1, 2, 3, 4, 6, 12, 24, 48, 100, 250, 500};
    int64_t step = 1;
    for (int i = 0; c.maxSeconds / 3600 / step > 8; ++i)
        step = i < 11 ? steps[i] : step * 10;
    for (int64_t h = 0; h * 3600 <= c.maxSeconds; h += step) {
        std::string x = Number(c.labelWidth + static_cast<double>(h * 3600) * c.scale);
        *out += "<line x1=\"" + x + "\" y1=\"" + std::to_string(c.top - 4) + "\" x2=\"" + x +
                "\" y2=\"" + Number(c.height - 8) + "\" stroke=\"#ddd\"/>\n";
        *out += "<text x=\"" + x + "\" y=\"" + std::to_string(c.top - 8) +
                "\" text-anchor=\"middle\">" + std::to_string(h) + "h</text>\n";
    }
}

void AppendSegment(std::string* out, double x, double y, double width, const ChartLayout& c,
                   const char* cls, const char* colour, std::string_view name, int64_t seconds)
{
    *out += "<rect class=\"";
    *out += cls;
    *out += "\" x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
            "\" height=\"" + std::to_string(c.barHeight) + "\" fill=\"" + colour + "\"><title>";
    AppendEscaped(out, name);
    *out += ": " + FormatDuration(seconds) + "</title></rect>\n";
}

// One group per period: its label, one segment per work task, the break segment, the total.
void AppendBar(std::string* out, const Report& r, const ReportPeriod& p, double y,
               const ChartLayout& c, const TaskPaint& paint)
{
    *out += "<g class=\"bar\">\n<text x=\"" + Number(c.labelWidth - 6) + "\" y=\"" +
            Number(y + c.barHeight - 3) + "\" text-anchor=\"end\">";
    AppendEscaped(out, p.label);
    *out += "</text>\n";
    double x = c.labelWidth;
    std::vector<TaskTime> stacked = p.tasks;
    std::sort(stacked.begin(), stacked.end(), [&](const TaskTime& a, const TaskTime& b) {
        return paint.rank[a.task] < paint.rank[b.task];
    });
    for (const TaskTime& t : stacked) {
        if (t.seconds == 0)
            continue;
        double w = static_cast<double>(t.seconds) * c.scale;
        AppendSegment(out, x, y, w, c, "task", paint.colour[t.task], r.taskNames[t.task],
                      t.seconds);
        x += w;
    }
    if (p.breakSeconds > 0) {
        double w = static_cast<double>(p.breakSeconds) * c.scale;
        AppendSegment(out, x, y, w, c, "break", kBreakColour, r.breakName, p.breakSeconds);
        x += w;
    }
    *out += "<text x=\"" + Number(x + 6) + "\" y=\"" + Number(y + c.barHeight - 3) +
            "\">work " + FormatDuration(p.workSeconds) + ", break " +
            FormatDuration(p.breakSeconds) + "</text>\n</g>\n";
}

std::string Chart(const Report& r)
{
    ChartLayout c = LayOutChart(r);
    TaskPaint paint = PaintTasks(r);
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(c.width) +
                      "\" height=\"" + Number(c.height) + "\" viewBox=\"0 0 " + Number(c.width) +
                      " " + Number(c.height) + "\" role=\"img\">\n";
    AppendGrid(&out, c);
    for (size_t i = 0; i < r.periods.size(); ++i)
        AppendBar(&out, r, r.periods[i], c.top + c.rowHeight * static_cast<double>(i), c, paint);
    out += "</svg>\n";
    return out;
}

std::string Legend(const Report& r)
{
    TaskPaint paint = PaintTasks(r);
    std::string out = "<ul class=\"legend\">\n";
    for (int task : r.taskRank) {
        out += "<li><span class=\"swatch\" style=\"background:";
        out += paint.colour[task];
        out += "\"></span>";
        AppendEscaped(&out, r.taskNames[task]);
        out += "</li>\n";
    }
    out += "<li><span class=\"swatch\" style=\"background:";
    out += kBreakColour;
    out += "\"></span>";
    AppendEscaped(&out, r.breakName);
    out += " (break)</li>\n</ul>\n";
    return out;
}

std::string Table(const Report& r)
{
    std::string out = "<table>\n<tr><th>";
    out += PeriodHeading(r.view);
    out += "</th><th>Task</th><th>Time</th><th>Hours</th></tr>\n";
    for (const OutputRow& row : ListRows(r)) {
        static const char* const classes[3] = {"task", "work", "break"};
        out += "<tr class=\"";
        out += classes[row.kind];
        out += "\"><td>";
        AppendEscaped(&out, row.period->label);
        out += "</td><td>";
        if (row.kind == ROW_TASK)
            AppendEscaped(&out, r.taskNames[row.task]);
        else if (row.kind == ROW_WORK)
            out += "Work total";
        else {
            AppendEscaped(&out, r.breakName);
            out += " (break)";
        }
        out += "</td><td class=\"n\">" + FormatDuration(row.seconds) + "</td><td class=\"n\">" +
               FormatHours(row.seconds) + "</td></tr>\n";
    }
    out += "</table>\n";
    return out;
}

std::string PageCharset(const Report& r, const std::string& charset)
{
    if (!charset.empty())
        return charset;
    for (std::string_view name : r.taskNames)
        if (!IsValidUtf8(name))
            return "windows-1252";
    return IsValidUtf8(r.breakName) ? "UTF-8" : "windows-1252";
}

const char kStyle[] =
    "<style>\n"
    "body { font: 14px sans-serif; margin: 1.5em; color: #222; }\n"
    "svg text { font: 11px sans-serif; fill: #333; }\n"
    "table { border-collapse: collapse; margin-top: 1em; }\n"
    "th, td { padding: 2px 12px 2px 0; text-align: left; }\n"
    "td.n { text-align: right; }\n"
    "tr.work td { font-weight: bold; }\n"
    "tr.break td { color: #777; }\n"
    "ul.legend { list-style: none; padding: 0; }\n"
    "ul.legend li { display: inline-block; margin-right: 1.5em; }\n"
    ".swatch { display: inline-block; width: 10px; height: 10px; margin-right: 5px; }\n"
    "</style>\n";

} // namespace

std::string FormatHtml(const Report& r, const std::string& charset)
{
    static const char* const views[3] = {"day", "week", "whole range"};
    std::string out = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
                      "<head>\n<meta charset=\"";
    AppendEscaped(&out, PageCharset(r, charset));
    out += "\"/>\n<title>Vornet report</title>\n";
    out += kStyle;
    out += "</head>\n<body>\n<h1>Vornet report</h1>\n<p>Totals by ";
    out += views[r.view];
    out += "; the break task, ";
    AppendEscaped(&out, r.breakName);
    out += ", is counted apart from work.</p>\n";
    out += Chart(r);
    out += Legend(r);
    out += Table(r);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace report
