// The report as an aligned text table, as CSV (RFC 4180), as one self-contained HTML page
// with an inline SVG bar chart or as one JSON document, all of them in UTF-8 (the CSV with a
// byte-order mark).
#pragma once
#include <string>
#include <string_view>

#include "report/report_rows.h"

namespace report {

std::string FormatText(const Report& report);

// A UTF-8 byte-order mark (spreadsheets need it to read UTF-8), then the header
// "period,kind,task,seconds,duration,hours" ("project" for "task" when grouped so, and
// ",unrounded_seconds" when rounded); kind is task (or project), work or break; CR LF.
std::string FormatCsv(const Report& report);
// A field quoted when it holds a comma, a quotation mark, CR or LF; quotes doubled.
void AppendCsvField(std::string* out, std::string_view field);

std::string FormatHtml(const Report& report);
// Text for HTML and XML alike: & < > " ' as references, control bytes as U+FFFD.
void AppendEscaped(std::string* out, std::string_view text);

// {"by": ..., "periods": [{"period": ..., "tasks": [{"name": ..., "seconds": ...}], ...}]}
std::string FormatJson(const Report& report);

// Columns the UTF-8 text takes on a terminal: East Asian wide characters take two.
size_t DisplayWidth(std::string_view text);

} // namespace report
