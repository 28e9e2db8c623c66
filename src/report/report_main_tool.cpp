// vornet-report: totals from Vornet's timelog.csv. See report_run.cpp for the options.
#include <stdio.h>

#include <string>

#include "report/report_run.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The report's bytes go out as they are: CSV lines already end in CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::string out, err;
    int code = report::RunReport(argc, argv, &out, &err);
    fwrite(err.data(), 1, err.size(), stderr);
    fwrite(out.data(), 1, out.size(), stdout);
    fflush(stdout);
    return code;
}
