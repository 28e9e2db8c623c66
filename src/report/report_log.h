// One line of timelog.csv, as the timer writes it at the end of each task:
// "%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d," + name + CR LF.
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

// The largest seconds field accepted: the field is a 32-bit signed number.
const int64_t MAX_PERIOD_SECONDS = 2147483647;

// Parses one line without its line end. Returns nullptr when it is well-formed, else why not.
const char* ParseLogLine(const char* begin, const char* end, LogLine* line);

} // namespace report
