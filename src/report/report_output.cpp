#include "report/report_output.h"

#include <string.h>

#include <algorithm>

namespace report {

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

std::string TextTaskLabel(const Report& r, RowKind kind, int task)
{
    if (kind == ROW_WORK)
        return "= work";
    if (kind == ROW_BREAK)
        return "= break (" + r.breakName + ")";
    return r.taskNames[task];
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

std::string Padded(const std::string& text, size_t width, int right)
{
    std::string cell;
    AppendPadded(&cell, text, width, right);
    return cell;
}

// The widest label and name, and the cells of the longest time: a longer time never has a
// narrower cell. Each text is measured once, however many rows show it.
void MeasureColumns(const Report& r, size_t* width)
{
    int64_t longest = 0; // no task takes longer than the work total
    for (const ReportPeriod& p : r.periods) {
        longest = std::max(longest, std::max(p.workSeconds, p.breakSeconds));
        width[0] = std::max(width[0], DisplayWidth(p.label));
    }
    for (int task : r.taskRank)
        width[1] = std::max(width[1], DisplayWidth(r.taskNames[task]));
    if (!r.periods.empty()) {
        width[1] = std::max(width[1], DisplayWidth(TextTaskLabel(r, ROW_WORK, NO_TASK)));
        width[1] = std::max(width[1], DisplayWidth(TextTaskLabel(r, ROW_BREAK, NO_TASK)));
        width[2] = std::max(width[2], FormatDuration(longest).size());
        width[3] = std::max(width[3], FormatHours(longest).size());
    }
}

// Every cell of the name column padded once: each task's, the work total's and the break's.
struct NameCells {
    std::vector<std::string> tasks;
    std::string work, pause;
};

NameCells PadNames(const Report& r, size_t width)
{
    NameCells cells;
    cells.tasks.resize(r.taskNames.size());
    for (int task : r.taskRank)
        cells.tasks[task] = Padded(r.taskNames[task], width, 0) + "  ";
    cells.work = Padded(TextTaskLabel(r, ROW_WORK, NO_TASK), width, 0) + "  ";
    cells.pause = Padded(TextTaskLabel(r, ROW_BREAK, NO_TASK), width, 0) + "  ";
    return cells;
}

} // namespace

// A long report has many rows and few names: a name is padded once, a label once a period.
std::string FormatText(const Report& r)
{
    const char* headings[] = {PeriodHeading(r.view), RowHeading(r), "Time", "Hours"};
    size_t width[4], lines = 1;
    for (int c = 0; c < 4; ++c)
        width[c] = strlen(headings[c]);
    MeasureColumns(r, width);
    for (const ReportPeriod& p : r.periods)
        lines += p.tasks.size() + 2;
    std::string out;
    out.reserve((width[0] + width[1] + width[2] + width[3] + 7) * lines);
    for (int c = 0; c < 4; ++c)
        out += (c > 0 ? "  " : "") + Padded(headings[c], width[c], c >= 2);
    out += '\n';
    if (r.periods.empty())
        return out + "(no time in this range)\n";
    NameCells names = PadNames(r, width[1]);
    std::vector<OutputRow> rows;
    for (const ReportPeriod& p : r.periods) {
        ListRows(p, &rows);
        std::string label = Padded(p.label, width[0], 0) + "  ";
        for (const OutputRow& row : rows) {
            out += label;
            out += row.kind == ROW_TASK   ? names.tasks[row.task]
                   : row.kind == ROW_WORK ? names.work
                                          : names.pause;
            AppendPadded(&out, FormatDuration(row.seconds), width[2], 1);
            out += "  ";
            AppendPadded(&out, FormatHours(row.seconds), width[3], 1);
            out += '\n';
        }
    }
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

namespace {

void AppendCsvRow(std::string* out, const Report& r, const OutputRow& row)
{
    AppendCsvField(out, row.period->label);
    *out += ',';
    *out += RowKindName(r, row.kind);
    *out += ',';
    AppendCsvField(out, RowName(r, row));
    *out += ',' + std::to_string(row.seconds) + ',' + FormatDuration(row.seconds) + ',' +
            FormatHours(row.seconds);
    if (r.roundMinutes > 0)
        *out += ',' + std::to_string(row.unrounded);
    *out += "\r\n";
}

} // namespace

std::string FormatCsv(const Report& r)
{
    std::string out = "\xef\xbb\xbfperiod,kind,";
    out += RowKindName(r, ROW_TASK);
    out += r.roundMinutes > 0 ? ",seconds,duration,hours,unrounded_seconds\r\n"
                              : ",seconds,duration,hours\r\n";
    std::vector<OutputRow> rows;
    for (const ReportPeriod& p : r.periods) {
        ListRows(p, &rows);
        for (const OutputRow& row : rows)
            AppendCsvRow(&out, r, row);
    }
    return out;
}

} // namespace report
