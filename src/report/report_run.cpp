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
    "  --charset NAME          encoding named in the HTML page (default: UTF-8 when the\n"
    "                          names are valid UTF-8, else windows-1252)\n"
    "  -h, --help              this text\n"
    "\n"
    "A period that runs past midnight is split between the days at local midnight; the\n"
    "log holds local wall-clock times and no time zone. Malformed lines are reported on\n"
    "standard error with their line numbers and skipped.\n"
    "Exit status: 0 when the report was written, 1 when FILE cannot be read, 2 on a\n"
    "wrong command line.\n";

namespace {

int IsCharsetName(const std::string& name)
{
    if (name.empty())
        return 0;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              strchr("._:-", c) != nullptr))
            return 0;
    return 1;
}

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
        ok = IsCharsetName(value);
        o->charset = value;
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
    // Read straight into place: after a first small step (where a folder already fails) the
    // buffer takes the file's whole length at once; a length that is unknown or grows is
    // read on in doubling steps.
    long size = fseek(file, 0, SEEK_END) == 0 ? ftell(file) : -1;
    rewind(file);
    size_t length = 0;
    text->resize(1 << 16);
    for (;;) {
        length += fread(&(*text)[length], 1, text->size() - length, file);
        if (length < text->size())
            break;
        size_t next = text->size() * 2;
        if (size > 0 && static_cast<size_t>(size) + 1 > next)
            next = static_cast<size_t>(size) + 1;
        text->resize(next);
    }
    int ok = ferror(file) == 0;
    int readError = errno;
    fclose(file);
    errno = readError; // the caller reports why the read failed, not what fclose did
    text->resize(length);
    return ok;
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
        *out += FormatHtml(r, options.charset);
    else
        *out += FormatText(r);
    return EXIT_DONE;
}

} // namespace report
