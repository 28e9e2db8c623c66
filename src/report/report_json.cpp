// The report as one JSON document, for other programs: the periods in calendar order, each
// with its rows, work and break seconds; names as UTF-8 strings.
#include "report/report_output.h"

namespace report {

namespace {

void AppendJsonString(std::string* out, std::string_view text)
{
    *out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            *out += '\\';
            *out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char hex[] = "0123456789abcdef";
            *out += "\\u00";
            *out += hex[c >> 4];
            *out += hex[c & 15];
        } else {
            *out += c;
        }
    }
    *out += '"';
}

// `"key": seconds`, and with rounding `"unroundedKey": seconds as counted` after it.
void AppendSeconds(std::string* out, const Report& r, const char* key, const char* unroundedKey,
                   int64_t seconds, int64_t unrounded)
{
    *out += std::string("\"") + key + "\": " + std::to_string(seconds);
    if (r.roundMinutes > 0)
        *out += std::string(", \"") + unroundedKey + "\": " + std::to_string(unrounded);
}

void AppendPeriod(std::string* out, const Report& r, const ReportPeriod& p)
{
    *out += "    {\n      \"period\": ";
    AppendJsonString(out, p.label);
    *out += std::string(",\n      \"") + RowKindName(r, ROW_TASK) + "s\": [";
    for (size_t i = 0; i < p.tasks.size(); ++i) {
        *out += i == 0 ? "\n        {\"name\": " : ",\n        {\"name\": ";
        AppendJsonString(out, r.taskNames[p.tasks[i].task]);
        *out += ", ";
        AppendSeconds(out, r, "seconds", "unrounded_seconds", p.tasks[i].seconds,
                      p.tasks[i].unrounded);
        *out += "}";
    }
    *out += "\n      ],\n      ";
    AppendSeconds(out, r, "work_seconds", "work_unrounded_seconds", p.workSeconds,
                  p.workUnrounded);
    *out += ",\n      ";
    AppendSeconds(out, r, "break_seconds", "break_unrounded_seconds", p.breakSeconds,
                  p.breakUnrounded);
    *out += "\n    }";
}

} // namespace

std::string FormatJson(const Report& r)
{
    std::string out = std::string("{\n  \"by\": \"") + kViewNames[r.view] + "\",\n  \"group\": \"" +
                      RowKindName(r, ROW_TASK) + "\",\n  \"round_minutes\": " +
                      std::to_string(r.roundMinutes) + ",\n  \"break\": ";
    AppendJsonString(&out, r.breakName);
    out += ",\n  \"periods\": [";
    for (size_t i = 0; i < r.periods.size(); ++i) {
        out += i == 0 ? "\n" : ",\n";
        AppendPeriod(&out, r, r.periods[i]);
    }
    out += "\n  ]\n}\n";
    return out;
}

} // namespace report
