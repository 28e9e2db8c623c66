#include "report/report_log.h"

#include "base/log_line.h"

namespace report {

const char* ParseLogLine(const char* begin, const char* end, LogLine* line)
{
    TimeLogLine read;
    const char* problem = ParseTimeLogLine(begin, static_cast<size_t>(end - begin), &read);
    if (problem != nullptr)
        return problem;
    int64_t ticks = 0;
    LocalTimeToTicks(read.start, &ticks);
    line->start = ticks / TICKS_PER_SECOND;
    line->seconds = read.seconds;
    line->name = std::string_view(read.name, read.nameLength);
    return nullptr;
}

} // namespace report
