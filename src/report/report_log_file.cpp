#include "report/report_log_file.h"

#include <errno.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace report {

namespace {

// 1 when the reads met no error; errno then still tells why, whatever fclose did.
int Closed(FILE* file)
{
    int ok = ferror(file) == 0;
    int readError = errno;
    fclose(file);
    errno = readError;
    return ok;
}

} // namespace

int SummariseFile(const std::string& name, int source, const ReportOptions& o, LogSummary* s)
{
    FILE* file = fopen(name.c_str(), "rb");
    if (file == nullptr)
        return 0;
    // One buffer, used again and again: a line cut by its end waits at its front for the rest.
    std::vector<char> buffer(READ_STEP);
    size_t waiting = 0, got;
    do {
        buffer.resize(std::max(buffer.size(), 2 * waiting)); // a line as long as the buffer
        got = fread(buffer.data() + waiting, 1, buffer.size() - waiting, file);
        size_t length = waiting + got;
        size_t taken = SummariseText(buffer.data(), length, got == 0, source, o, s);
        waiting = length - taken;
        memmove(buffer.data(), buffer.data() + taken, waiting);
    } while (got > 0);
    return Closed(file);
}

int ReadWholeFile(const std::string& name, std::string* text)
{
    FILE* file = fopen(name.c_str(), "rb");
    if (file == nullptr)
        return 0;
    char buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, got);
    return Closed(file);
}

} // namespace report
