#include "report/report_run.h"

#include <errno.h>
#include <string.h>

#include <new>

#include "report/report_output.h"
#include "report/report_running.h"

namespace report {

void WriteSummary(const LogSummary& summary, const ReportOptions& options, std::string* out,
                  std::string* err)
{
    *err += summary.problems;
    if (summary.linesSkipped > 0)
        *err += "vornet-report: " + std::to_string(summary.linesSkipped) +
                " malformed line(s) skipped\n";
    Report r = BuildReport(summary, options);
    if (options.format == FORMAT_CSV)
        *out = FormatCsv(r);
    else if (options.format == FORMAT_HTML)
        *out = FormatHtml(r);
    else if (options.format == FORMAT_JSON)
        *out = FormatJson(r);
    else
        *out = FormatText(r);
}

void WriteReport(const std::string& text, const ReportOptions& options, std::string* out,
                 std::string* err)
{
    LogSummary summary;
    SummariseText(text.data(), text.size(), 1, AddSource(&summary, options.fileNames[0]),
                  options, &summary);
    WriteSummary(summary, options, out, err);
}

namespace {

// Reads every log and running file into the summary: EXIT_DONE, or EXIT_UNREADABLE when a
// log cannot be read.
int Summarise(const ReportOptions& options, int64_t now, LogSummary* s, std::string* err)
{
    // What a running file holds for its log is kept to be merged with it: a line held and
    // since written counts once.
    s->keepLines = 1;
    if (options.current)
        AddRunningFiles(options.fileNames, now, options, s, err);
    // Lines of more than one file are kept to be merged; one file's go straight to the totals.
    s->keepLines = options.fileNames.size() > 1 || !s->kept.empty();
    for (const std::string& name : options.fileNames) {
        if (!SummariseFile(name, AddSource(s, name), options, s)) {
            *err += "vornet-report: cannot read " + name + ": " + strerror(errno) + "\n";
            return EXIT_UNREADABLE;
        }
    }
    MergeKeptLines(s, options);
    return EXIT_DONE;
}

} // namespace

int RunReport(int argc, const char* const* argv, int64_t now, std::string* out,
              std::string* err)
{
    ReportOptions options;
    std::string problem;
    if (!ParseArguments(argc, argv, &options, &problem)) {
        *err += "vornet-report: " + problem + "\n" + "Try 'vornet-report --help'.\n";
        return EXIT_USAGE;
    }
    if (options.help) {
        *out += kUsage;
        return EXIT_DONE;
    }
    LogSummary summary;
    int code;
    try {
        code = Summarise(options, now, &summary, err);
    } catch (const std::bad_alloc&) {
        *err += "vornet-report: " + std::string(strerror(ENOMEM)) + "\n";
        return EXIT_UNREADABLE;
    }
    if (code == EXIT_DONE)
        WriteSummary(summary, options, out, err);
    return code;
}

} // namespace report
