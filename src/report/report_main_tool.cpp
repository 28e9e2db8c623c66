// vornet-report: totals from Vornet's timelog.csv. See report_arguments.cpp for the options.
#include <stdio.h>
#include <time.h>

#include <string>

#include "base/local_time.h"
#include "report/report_console.h"
#include "report/report_run.h"

namespace {

// The local wall clock, as the timer reads it, in seconds since 1601-01-01 00:00.
int64_t LocalNow()
{
    time_t now = time(nullptr);
    const struct tm* t = localtime(&now);
    int64_t ticks = 0;
    if (t != nullptr) {
        LocalTime local = {static_cast<unsigned short>(t->tm_year + 1900),
                           static_cast<unsigned short>(t->tm_mon + 1), 0,
                           static_cast<unsigned short>(t->tm_mday),
                           static_cast<unsigned short>(t->tm_hour),
                           static_cast<unsigned short>(t->tm_min),
                           // a leap second is shown as the last second of its minute
                           static_cast<unsigned short>(t->tm_sec < 60 ? t->tm_sec : 59), 0};
        LocalTimeToTicks(local, &ticks);
    }
    return ticks / TICKS_PER_SECOND;
}

} // namespace

int main(int argc, char** argv)
{
    std::string out, err;
    int code = report::RunReport(argc, argv, LocalNow(), &out, &err);
    if (!WriteStandardOutput(out)) {
        err += "vornet-report: cannot write the report\n";
        code = report::EXIT_UNREADABLE;
    }
    // Messages name the file as it was given; they go out as they are.
    fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
