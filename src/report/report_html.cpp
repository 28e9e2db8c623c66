// The HTML page: no script, nothing fetched; it is also well-formed XML, so that any XML
// reader can take it apart.
#include <stdio.h>

#include <algorithm>
#include <iterator>

#include "report/report_dates.h"
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

namespace {

const char* const kPalette[] = {"#4e79a7", "#f28e2b", "#59a14f", "#e15759", "#76b7b2", "#edc948",
                                "#b07aa1", "#ff9da7", "#9c755f", "#2f4b7c", "#a0cbe8", "#8cd17d"};
const size_t kPaletteSize = std::size(kPalette);
const char kBreakColour[] = "#c8c8c8";

// The chart's geometry, in pixels. Text widths are estimated generously, 7 px a column
// at 11 px: the drawing is made wide enough for every label it holds.
enum { TOP = 24, ROW_HEIGHT = 20, BAR_HEIGHT = 14, BAR_AREA = 720, COLUMN_PIXELS = 7, GAP = 6 };
enum { MINUTE = 60, HOUR = 3600, MAX_TICKS = 8 };

struct ChartLayout {
    double labelWidth, width, height, scale;
    int64_t unit;  // of the tick labels: MINUTE or HOUR
    int64_t step;  // seconds between two ticks
    int64_t ticks; // after the one at 0
};

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

std::string Number(double value)
{
    char text[40];
    snprintf(text, sizeof text, "%.2f", value);
    return text;
}

double TextWidth(std::string_view text)
{
    return static_cast<double>(COLUMN_PIXELS * DisplayWidth(text));
}

// A week's row names its Monday and Sunday too.
std::string ChartLabel(const Report& r, const ReportPeriod& p)
{
    if (r.view != VIEW_WEEK)
        return p.label;
    return p.label + " (" + DateLabel(p.key) + " \xe2\x80\x93 " + DateLabel(p.key + 6) + ")";
}

std::string TotalLabel(const ReportPeriod& p)
{
    return "work " + FormatDuration(p.workSeconds) + ", break " + FormatDuration(p.breakSeconds);
}

std::string TickLabel(int64_t seconds, const ChartLayout& c)
{
    return std::to_string(seconds / c.unit) + (c.unit == MINUTE ? "m" : "h");
}

// A step of 1, 2 or 5 times a power of ten, in minutes while the longest bar is under two
// hours, else in hours: the smallest that needs at most MAX_TICKS steps. The ticks run
// on to the first one past the longest bar, which the drawing's width then ends at.
void ChooseTicks(int64_t longest, ChartLayout* c)
{
    static const int multiples[] = {1, 2, 5};
    c->unit = longest < 2 * HOUR ? MINUTE : HOUR;
    int64_t power = 1;
    c->step = c->unit;
    for (int k = 1; c->step * MAX_TICKS <= longest; ++k) {
        if (k % 3 == 0)
            power *= 10;
        c->step = c->unit * power * multiples[k % 3];
    }
    c->ticks = longest / c->step + 1;
    c->scale = BAR_AREA / static_cast<double>(c->ticks * c->step);
}

ChartLayout LayOutChart(const Report& r)
{
    ChartLayout c;
    int64_t longest = 0;
    double labels = 0;
    for (const ReportPeriod& p : r.periods) {
        longest = std::max(longest, p.workSeconds + p.breakSeconds);
        labels = std::max(labels, TextWidth(ChartLabel(r, p)));
    }
    ChooseTicks(longest, &c);
    c.labelWidth = labels + 2 * GAP;
    // The right edge: past the last tick's label, centred on it, and every bar's total.
    double right = BAR_AREA + TextWidth(TickLabel(c.ticks * c.step, c)) / 2;
    for (const ReportPeriod& p : r.periods)
        right = std::max(right, static_cast<double>(p.workSeconds + p.breakSeconds) * c.scale +
                                    GAP + TextWidth(TotalLabel(p)));
    c.width = c.labelWidth + right + GAP;
    c.height = TOP + ROW_HEIGHT * static_cast<double>(r.periods.size()) + 8;
    return c;
}

void AppendGrid(std::string* out, const ChartLayout& c)
{
    for (int64_t i = 0; i <= c.ticks; ++i) {
        std::string x = Number(c.labelWidth + static_cast<double>(i * c.step) * c.scale);
        *out += "<line x1=\"" + x + "\" y1=\"" + std::to_string(TOP - 4) + "\" x2=\"" + x +
                "\" y2=\"" + Number(c.height - 8) + "\" stroke=\"#ddd\"/>\n";
        *out += "<text class=\"tick\" x=\"" + x + "\" y=\"" + std::to_string(TOP - 8) +
                "\" text-anchor=\"middle\">" + TickLabel(i * c.step, c) + "</text>\n";
    }
}

void AppendSegment(std::string* out, double x, double y, double width, const char* cls,
                   const char* colour, std::string_view name, int64_t seconds)
{
    *out += "<rect class=\"";
    *out += cls;
    *out += "\" x=\"" + Number(x) + "\" y=\"" + Number(y) + "\" width=\"" + Number(width) +
            "\" height=\"" + std::to_string(BAR_HEIGHT) + "\" fill=\"" + colour + "\"><title>";
    AppendEscaped(out, name);
    *out += ": " + FormatDuration(seconds) + "</title></rect>\n";
}

// One group per period: its label, one segment per work task, the break segment, the total.
void AppendBar(std::string* out, const Report& r, const ReportPeriod& p, double y,
               const ChartLayout& c, const TaskPaint& paint)
{
    *out += "<g class=\"bar\">\n<text x=\"" + Number(c.labelWidth - GAP) + "\" y=\"" +
            Number(y + BAR_HEIGHT - 3) + "\" text-anchor=\"end\">";
    AppendEscaped(out, ChartLabel(r, p));
    *out += "</text>\n";
    double x = c.labelWidth;
    std::vector<TaskTime> stacked(r.taskRank.size(), TaskTime{NO_TASK, 0, 0});
    for (const TaskTime& t : p.tasks)
        stacked[paint.rank[t.task]] = t;
    stacked.push_back(TaskTime{NO_TASK, p.breakSeconds, p.breakUnrounded});
    for (const TaskTime& t : stacked) {
        if (t.seconds == 0)
            continue;
        double w = static_cast<double>(t.seconds) * c.scale;
        if (t.task == NO_TASK)
            AppendSegment(out, x, y, w, RowKindName(r, ROW_BREAK), kBreakColour, r.breakName,
                          t.seconds);
        else
            AppendSegment(out, x, y, w, RowKindName(r, ROW_TASK), paint.colour[t.task],
                          r.taskNames[t.task], t.seconds);
        x += w;
    }
    *out += "<text x=\"" + Number(x + GAP) + "\" y=\"" + Number(y + BAR_HEIGHT - 3) + "\">" +
            TotalLabel(p) + "</text>\n</g>\n";
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
        AppendBar(&out, r, r.periods[i], TOP + ROW_HEIGHT * static_cast<double>(i), c, paint);
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

void AppendTableRow(std::string* out, const Report& r, const OutputRow& row)
{
    *out += "<tr class=\"";
    *out += RowKindName(r, row.kind);
    *out += "\"><td>";
    AppendEscaped(out, row.period->label);
    *out += "</td><td>";
    AppendEscaped(out, row.kind == ROW_WORK ? "Work total" : RowName(r, row));
    if (row.kind == ROW_BREAK)
        *out += " (break)";
    *out += "</td><td class=\"n\">" + FormatDuration(row.seconds) + "</td><td class=\"n\">" +
            FormatHours(row.seconds) + "</td></tr>\n";
}

std::string Table(const Report& r)
{
    std::string out = "<table>\n<tr><th>";
    out += PeriodHeading(r.view);
    out += "</th><th>";
    out += RowHeading(r);
    out += "</th><th>Time</th><th>Hours</th></tr>\n";
    std::vector<OutputRow> rows;
    for (const ReportPeriod& p : r.periods) {
        ListRows(p, &rows);
        for (const OutputRow& row : rows)
            AppendTableRow(&out, r, row);
    }
    out += "</table>\n";
    return out;
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

// "Totals by month and project, each rounded up to 15 minutes"
std::string Summary(const Report& r)
{
    static const char* const views[] = {"day", "week", "month", "whole range"};
    std::string out = "Totals by ";
    out += views[r.view];
    if (r.group == GROUP_PROJECT)
        out += " and project";
    if (r.roundMinutes > 0)
        out += ", each rounded up to " + std::to_string(r.roundMinutes) + " minutes";
    return out;
}

} // namespace

std::string FormatHtml(const Report& r)
{
    std::string out = "<!DOCTYPE html>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">\n"
                      "<head>\n<meta charset=\"UTF-8\"/>\n<title>Vornet report</title>\n";
    out += kStyle;
    out += "</head>\n<body>\n<h1>Vornet report</h1>\n<p>" + Summary(r) + "; the break task, ";
    AppendEscaped(&out, r.breakName);
    out += ", is counted apart from work.</p>\n";
    out += Chart(r);
    out += Legend(r);
    out += Table(r);
    out += "</body>\n</html>\n";
    return out;
}

} // namespace report
