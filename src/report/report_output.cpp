#include "report/report_output.h"

#include <string.h>

#include <algorithm>

namespace report {

std::vector<OutputRow> ListRows(const Report& r)
{
    std::vector<OutputRow> rows;
    for (const ReportPeriod& period : r.periods) {
        for (const TaskTime& t : period.tasks)
            rows.push_back(OutputRow{&period, ROW_TASK, t.task, t.seconds});
        rows.push_back(OutputRow{&period, ROW_WORK, NO_TASK, period.workSeconds});
        rows.push_back(OutputRow{&period, ROW_BREAK, NO_TASK, period.breakSeconds});
    }
    return rows;
}

const char* PeriodHeading(ReportView view)
{
    return view == VIEW_DAY ? "Day" : view == VIEW_WEEK ? "Week" : "Range";
}

namespace {

int IsWide(uint32_t c)
{
    // Hangul Jamo, CJK to Yi, Hangul syllables, CJK compatibility, full-width forms and
    // signs, and the supplementary ideographs.
    static const struct {
        uint32_t first, last;
    } ranges[] = {{0x1100, 0x115f}, {0x2e80, 0xa4cf}, {0xac00, 0xd7a3}, {0xf900, 0xfaff},
                  {0xff00, 0xff60}, {0xffe0, 0xffe6}, {0x20000, 0x3fffd}};
    for (const auto& range : ranges)
        if (c >= range.first && c <= range.last)
            return 1;
    return 0;
}

} // namespace

size_t DisplayWidth(std::string_view text)
{
    size_t columns = 0;
    for (size_t i = 0; i < text.size();) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        size_t length = b >= 0xf0 ? 4 : b >= 0xe0 ? 3 : b >= 0xc0 ? 2 : 1;
        size_t end = std::min(text.size(), i + length);
        uint32_t c = b & (0xff >> length);
        while (++i < end)
            c = c << 6 | (static_cast<unsigned char>(text[i]) & 0x3f);
        columns += 1 + IsWide(c);
    }
    return columns;
}

namespace {

std::string TextTaskLabel(const Report& r, const OutputRow& row)
{
    if (row.kind == ROW_WORK)
        return "= work";
    if (row.kind == ROW_BREAK)
        return "= break (" + r.breakName + ")";
    return std::string(r.taskNames[row.task]);
}

void AppendPadded(std::string* out, const std::string& text, size_t width, int right)
{
    size_t padding = width - DisplayWidth(text);
    if (right)
        out->append(padding, ' ');
    *out += text;
    if (!right)
        out->append(padding, ' ');
}

} // namespace

std::string FormatText(const Report& r)
{
    std::vector<OutputRow> rows = ListRows(r);
    std::vector<std::string> cells(rows.size() * 4);
    size_t width[] = {strlen(PeriodHeading(r.view)), 4, 4, 5};
    for (size_t i = 0; i < rows.size(); ++i) {
        cells[i * 4] = rows[i].period->label;
        cells[i * 4 + 1] = TextTaskLabel(r, rows[i]);
        cells[i * 4 + 2] = FormatDuration(rows[i].seconds);
        cells[i * 4 + 3] = FormatHours(rows[i].seconds);
        for (int c = 0; c < 4; ++c)
            width[c] = std::max(width[c], DisplayWidth(cells[i * 4 + c]));
    }
    std::string out;
    const char* headings[] = {PeriodHeading(r.view), "Task", "Time", "Hours"};
    for (size_t i = 0; i <= rows.size(); ++i) {
        for (int c = 0; c < 4; ++c) {
            std::string cell = i == 0 ? std::string(headings[c]) : cells[(i - 1) * 4 + c];
            if (c > 0)
                out += "  ";
            AppendPadded(&out, cell, width[c], c >= 2);
        }
        out += '\n';
    }
    if (rows.empty())
        out += "(no time in this range)\n";
    return out;
}

void AppendCsvField(std::string* out, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out->append(field);
        return;
    }
    *out += '"';
    for (char c : field) {
        if (c == '"')
            *out += '"';
        *out += c;
    }
    *out += '"';
}

std::string FormatCsv(const Report& r)
{
    static const char* const kinds[] = {"task", "work", "break"};
    std::string out = "\xef\xbb\xbfperiod,kind,task,seconds,duration,hours\r\n";
    for (const OutputRow& row : ListRows(r)) {
        AppendCsvField(&out, row.period->label);
        out += ',';
        out += kinds[row.kind];
        out += ',';
        if (row.kind == ROW_TASK)
            AppendCsvField(&out, r.taskNames[row.task]);
        else if (row.kind == ROW_BREAK)
            AppendCsvField(&out, r.breakName);
        out += ',';
        out += std::to_string(row.seconds);
        out += ',';
        out += FormatDuration(row.seconds);
        out += ',';
        out += FormatHours(row.seconds);
        out += "\r\n";
    }
    return out;
}

} // namespace report
