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

std::vector<RunningFile> ReadRunningFiles(const std::vector<std::string>& logNames,
                                          std::string* err)
{
    std::vector<RunningFile> files;
    for (const std::string& logName : logNames) {
        RunningFile file = {RunningFileOf(logName), std::string()};
        auto same = [&](const RunningFile& f) { return f.name == file.name; };
        if (std::find_if(files.begin(), files.end(), same) != files.end())
            continue; // two logs in one folder share it
        if (ReadWholeFile(file.name, &file.text))
            files.push_back(file);
        else
            *err += "vornet-report: no running task: cannot read " + file.name + ": " +
                    strerror(errno) + "\n";
    }
    return files;
}

int HoldsLogLines(const RunningFile& file)
{
    size_t lineEnd = file.text.find('\n');
    return lineEnd != std::string::npos && lineEnd + 1 < file.text.size();
}

void AddRunningFile(const RunningFile& file, int64_t now, const ReportOptions& o,
                    LogSummary* s)
{
    int source = AddSource(s, file.name);
    size_t lineEnd = std::min(file.text.find('\n'), file.text.size());
    const char* text = file.text.data();
    LogLine line; // an empty first line: nothing runs that the log would record
    if (ReadLine(s, source, text, text + lineEnd, &line)) {
        int64_t seconds = std::max(now - line.start, line.seconds);
        AddPeriod(s, o, line.start, seconds, s->rowOfName[NameOf(s, o, line.name)]);
    }
    size_t rest = std::min(lineEnd + 1, file.text.size());
    SummariseText(text + rest, file.text.size() - rest, 1, source, o, s);
}

} // namespace report
