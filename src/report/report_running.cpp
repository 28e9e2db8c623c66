#include "report/report_running.h"

#include <errno.h>
#include <string.h>

#include <algorithm>

#include "report/report_log_file.h"

namespace report {

std::string RunningFileOf(const std::string& logName)
{
#ifdef _WIN32
    const char separators[] = "/\\:";
#else
    const char separators[] = "/";
#endif
    size_t slash = logName.find_last_of(separators);
    size_t folder = slash == std::string::npos ? 0 : slash + 1;
    return logName.substr(0, folder) + "timelog-running.csv";
}

namespace {

void AddRunningFile(const std::string& name, const std::string& file, int64_t now,
                    const ReportOptions& o, LogSummary* s)
{
    int source = AddSource(s, name);
    size_t lineEnd = std::min(file.find('\n'), file.size());
    LogLine line; // an empty first line: nothing runs that the log would record
    if (ReadLine(s, source, file.data(), file.data() + lineEnd, &line)) {
        int64_t seconds = std::max(now - line.start, line.seconds);
        s->kept.push_back(KeptLine{line.start, seconds, NameOf(s, o, line.name), source,
                                   s->sources[source].lineNumber, true});
    }
    size_t rest = std::min(lineEnd + 1, file.size());
    SummariseText(file.data() + rest, file.size() - rest, 1, source, o, s);
}

} // namespace

void AddRunningFiles(const std::vector<std::string>& logNames, int64_t now,
                     const ReportOptions& o, LogSummary* s, std::string* err)
{
    std::vector<std::string> read;
    for (const std::string& logName : logNames) {
        std::string name = RunningFileOf(logName), text;
        if (std::find(read.begin(), read.end(), name) != read.end())
            continue; // two logs in one folder share it
        read.push_back(name);
        if (ReadWholeFile(name, &text))
            AddRunningFile(name, text, now, o, s);
        else
            *err += "vornet-report: no running task: cannot read " + name + ": " +
                    strerror(errno) + "\n";
    }
}

} // namespace report
