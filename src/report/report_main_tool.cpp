// vornet-report: totals from Vornet's timelog.csv. See report_run.cpp for the options.
#include <stdio.h>

#include <string>

#include "report/report_console.h"
#include "report/report_run.h"

int main(int argc, char** argv)
{
    std::string out, err;
    int code = report::RunReport(argc, argv, &out, &err);
    if (!WriteStandardOutput(out)) {
        err += "vornet-report: cannot write the report\n";
        code = report::EXIT_UNREADABLE;
    }
    // Messages name the file as it was given; they go out as they are.
    fwrite(err.data(), 1, err.size(), stderr);
    return code;
}
