// One line of timelog.csv, read by the timer's own grammar (base/log_line), in the report's
// terms: a start in seconds and the name as a view.
#pragma once
#include <stdint.h>

#include <string_view>

namespace report {

// One well-formed line. `name` points into the text that was read.
struct LogLine {
    int64_t start; // local wall-clock seconds since 1601-01-01 00:00
    int64_t seconds;
    std::string_view name;
};

// Parses one line without its line end. Returns nullptr when it is well-formed, else why not.
const char* ParseLogLine(const char* begin, const char* end, LogLine* line);

} // namespace report
