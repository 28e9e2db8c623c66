#include "report/report_arguments.h"

#include "base/decimal_number.h"
#include "report/report_dates.h"

namespace report {

const char* const kViewNames[4] = {"day", "week", "month", "total"};

const char kUsage[] =
    "Usage: vornet-report [OPTIONS] [FILE...]\n"
    "Totals of Vornet's time log FILE (default: ./timelog.csv). Several files are\n"
    "read as one log: a line that stands in more than one counts once, and periods\n"
    "of different files that overlap are reported on standard error and counted as\n"
    "written.\n"
    "\n"
    "  --by day|week|month|total  totals per day (default), per ISO week (Monday to\n"
    "                          Sunday), per calendar month, or over the whole range\n"
    "  --group task|project    a row per task (default), or per project: the text\n"
    "                          before a name's first \": \" (\"Acme: review\" is Acme's;\n"
    "                          a name without \": \" is its own project)\n"
    "  --round MINUTES         round each row's total in each period (a task's or a\n"
    "                          project's, and the break task's) up to a multiple of\n"
    "                          MINUTES, 1 to 60; the work total is the sum of the\n"
    "                          rounded rows. The CSV adds the unrounded seconds.\n"
    "  --format text|csv|html|json  aligned table (default), CSV (RFC 4180, CR LF),\n"
    "                          an HTML page with a bar chart, or a JSON document\n"
    "  --from YYYY-MM-DD       count only time on or after this day\n"
    "  --to YYYY-MM-DD         count only time on or before this day\n"
    "  --break NAME            the break task, counted apart from work (default: Break)\n"
    "  --charset NAME          encoding of the names that are not UTF-8: windows-1252\n"
    "                          (cp1252; the default) or cp932 (shift_jis), or UTF-8.\n"
    "                          A name that is valid UTF-8 with a character past ASCII\n"
    "                          is read as UTF-8 whatever this says.\n"
    "  --current               count the running task up to now, and the lines the\n"
    "                          timer holds for the log, from timelog-running.csv\n"
    "                          beside each FILE\n"
    "  -h, --help              this text\n"
    "\n"
    "A period that runs past midnight is split between the days at local midnight; the\n"
    "log holds local wall-clock times and no time zone. Malformed lines are reported on\n"
    "standard error with their line numbers and skipped. Every output is UTF-8.\n"
    "Exit status: 0 when the report was written, 1 when a FILE cannot be read, 2 on a\n"
    "wrong command line.\n";

namespace {

// 1 to 60, in digits alone.
int ParseMinutes(const std::string& text, int* minutes)
{
    if (text.find_first_not_of("0123456789") != std::string::npos)
        return 0;
    *minutes = ParseDecimal(text.c_str());
    return *minutes >= 1 && *minutes <= 60;
}

// Sets *value to the place of `text` among `words`; 0 when it is none of them.
template <typename Enum, size_t N>
int ParseWord(const std::string& text, const char* const (&words)[N], Enum* value)
{
    for (size_t i = 0; i < N; ++i) {
        if (text == words[i]) {
            *value = static_cast<Enum>(i);
            return 1;
        }
    }
    return 0;
}

// Applies one option and its value; 0 with `problem` set when the value is not accepted.
int ApplyOption(const std::string& option, const std::string& value, ReportOptions* o,
                std::string* problem)
{
    static const char* const formats[] = {"text", "csv", "html", "json"};
    static const char* const groups[] = {"task", "project"};
    int ok;
    if (option == "--by") {
        ok = ParseWord(value, kViewNames, &o->view);
    } else if (option == "--format") {
        ok = ParseWord(value, formats, &o->format);
    } else if (option == "--group") {
        ok = ParseWord(value, groups, &o->group);
    } else if (option == "--round") {
        ok = ParseMinutes(value, &o->roundMinutes);
    } else if (option == "--from") {
        ok = ParseIsoDate(value.c_str(), &o->fromDay);
    } else if (option == "--to") {
        ok = ParseIsoDate(value.c_str(), &o->toDay);
    } else if (option == "--break") {
        o->breakName = value;
        ok = !value.empty();
    } else if (option == "--charset") {
        ok = FindCharset(value, &o->charset);
    } else {
        *problem = "unknown option " + option;
        return 0;
    }
    if (!ok)
        *problem = option == "--charset" ? "unknown --charset \"" + value + "\""
                                         : "bad value for " + option + ": \"" + value + "\"";
    return ok;
}

int TakesValue(const std::string& option)
{
    static const char* const withValue[] = {"--by",   "--format", "--group",  "--round",
                                            "--from", "--to",     "--break", "--charset"};
    for (const char* name : withValue)
        if (option == name)
            return 1;
    return 0;
}

} // namespace

int ParseArguments(int argc, const char* const* argv, ReportOptions* o, std::string* problem)
{
    int optionsEnded = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            o->fileNames.push_back(arg);
        } else if (arg == "--") {
            optionsEnded = 1;
        } else if (arg == "-h" || arg == "--help") {
            o->help = 1;
        } else if (arg == "--current") {
            o->current = 1;
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
    if (o->fileNames.empty())
        o->fileNames.push_back("timelog.csv");
    return 1;
}

} // namespace report
