#include <stdio.h>

#include "report/report_console.h"

int WriteStandardOutput(const std::string& utf8)
{
    return fwrite(utf8.data(), 1, utf8.size(), stdout) == utf8.size() && fflush(stdout) == 0;
}
