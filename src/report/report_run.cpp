#include "report/report_run.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <new>

#include "report/report_output.h"
#include "report/report_table.h"

namespace report {

const char kUsage[] =
    "Usage: vornet-report [OPTIONS] [FILE]\n"
    "Totals of Vornet's time log FILE (default: ./timelog.csv).\n"
    "\n"
    "  --by day|week|total     totals per task per day (default), per ISO week\n"
    "                          (Monday to Sunday), or over the whole range\n"
    "  --format text|csv|html  aligned table (default), CSV (RFC 4180, CR LF),\n"
    "                          or an HTML page with a bar chart\n"
    "  --from YYYY-MM-DD       count only time on or after this day\n"
    "  --to YYYY-MM-DD         count only time on or before this day\n"
    "  --break NAME            the break task, counted apart from work (default: Break)\n"
    "  --charset NAME          encoding of the names in FILE: UTF-8, windows-1252 (cp1252)\n"
    "                          or cp932 (shift_jis); default: UTF-8 when every name is\n"
    "                          valid UTF-8, else windows-1252\n"
    "  -h, --help              this text\n"
    "\n"
    "A period that runs past midnight is split between the days at local midnight; the\n"
    "log holds local wall-clock times and no time zone. Malformed lines are reported on\n"
    "standard error with their line numbers and skipped. Every output is UTF-8.\n"
    "Exit status: 0 when the report was written, 1 when FILE cannot be read, 2 on a\n"
    "wrong command line.\n";

namespace {

// Applies one option and its value; 0 with `problem` set when the value is not accepted.
int ApplyOption(const std::string& option, const std::string& value, ReportOptions* o,
                std::string* problem)
{
    int ok = 1;
    if (option == "--by") {
        ok = value == "day" || value == "week" || value == "total";
        o->view = value == "week" ? VIEW_WEEK : value == "total" ? VIEW_TOTAL : VIEW_DAY;
    } else if (option == "--format") {
        ok = value == "text" || value == "csv" || value == "html";
        o->format = value == "csv" ? FORMAT_CSV : value == "html" ? FORMAT_HTML : FORMAT_TEXT;
    } else if (option == "--from") {
        ok = ParseIsoDate(value.c_str(), &o->fromDay);
    } else if (option == "--to") {
        ok = ParseIsoDate(value.c_str(), &o->toDay);
    } else if (option == "--break") {
        ok = !value.empty();
        o->breakName = value;
    } else if (option == "--charset") {
        if (!FindCharset(value, &o->charset)) {
            *problem = "unknown --charset \"" + value + "\"";
            return 0;
        }
    } else {
        *problem = "unknown option " + option;
        return 0;
    }
    if (!ok)
        *problem = "bad value for " + option + ": \"" + value + "\"";
    return ok;
}

int TakesValue(const std::string& option)
{
    return option == "--by" || option == "--format" || option == "--from" || option == "--to" ||
           option == "--break" || option == "--charset";
}

} // namespace

int ParseArguments(int argc, const char* const* argv, ReportOptions* o, std::string* problem)
{
    int files = 0, optionsEnded = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            if (++files > 1) {
                *problem = "more than one file given";
                return 0;
            }
            o->fileName = arg;
        } else if (arg == "--") {
            optionsEnded = 1;
        } else if (arg == "-h" || arg == "--help") {
            o->help = 1;
        } else {
            size_t equals = arg.find('=');
            std::string option = arg.substr(0, equals);
            if (equals == std::string::npos && TakesValue(option) && i + 1 >= argc) {
                *problem = option + " needs a value";
                return 0;
            }
            std::string value = equals != std::string::npos ? arg.substr(equals + 1)
                                : TakesValue(option)       ? std::string(argv[++i])
                                                           : std::string();
            if (!ApplyOption(option, value, o, problem))
                return 0;
        }
    }
    if (o->fromDay > o->toDay) {
        *problem = "--from is later than --to";
        return 0;
    }
    return 1;
}

int ReadWholeFile(const std::string& name, std::string* text)
{
    FILE* file = fopen(name.c_str(), "rb");
    if (file == nullptr)
        return 0;
    // Read straight into place, a large step at a time (a folder fails at the first).
    enum { READ_STEP = 4194304 };
    size_t length = 0, got;
    do {
        text->resize(length + READ_STEP);
        got = fread(&(*text)[length], 1, READ_STEP, file);
        length += got;
    } while (got == READ_STEP);
    text->resize(length);
    int ok = ferror(file) == 0;
    int readError = errno;
    fclose(file);
    errno = readError; // the caller reports why the read failed, not what fclose did
    return ok;
}

void WriteReport(const std::string& text, const ReportOptions& options, std::string* out,
                 std::string* err)
{
    LogSummary summary;
    SummariseLog(text.data(), text.size(), options, &summary);
    *err += summary.problems;
    if (summary.linesSkipped > 0)
        *err += "vornet-report: " + std::to_string(summary.linesSkipped) +
                " malformed line(s) skipped\n";
    Report r = BuildReport(summary, options);
    if (options.format == FORMAT_CSV)
        *out += FormatCsv(r);
    else if (options.format == FORMAT_HTML)
        *out += FormatHtml(r);
    else
        *out += FormatText(r);
}

int RunReport(int argc, const char* const* argv, std::string* out, std::string* err)
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
    std::string text;
    int readable = 0;
    try {
        readable = ReadWholeFile(options.fileName, &text);
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
    }
    if (!readable) {
        *err += "vornet-report: cannot read " + options.fileName + ": " + strerror(errno) + "\n";
        return EXIT_UNREADABLE;
    }
    WriteReport(text, options, out, err);
    return EXIT_DONE;
}

} // namespace report
