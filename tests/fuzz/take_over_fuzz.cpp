// Whatever a left timelog-running.csv holds, beside whatever timelog.csv: the take-over only
// appends whole lines of the log's own, never a period the log holds already nor one twice,
// and the running file is this run's after it (or kept aside).
#include <fuzzer/FuzzedDataProvider.h>
#include <stdio.h>
#include <stdlib.h>

#include <set>
#include <string>

#include "base/log_line.h"
#include "fake_system.h"
#include "tasks/run_take_over.h"

#define Require(condition) \
    ((condition) ? (void)0 : (fprintf(stderr, "property at line %d\n", __LINE__), abort()))

namespace {

// "start|name" of each line the log's own; `whole` 0 when a line of it is not.
std::multiset<std::string> Periods(const std::string& text, int* whole)
{
    std::multiset<std::string> periods;
    *whole = 1;
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        TimeLogLine line;
        if (ParseTimeLogLine(text.data() + at, end - at, &line) == nullptr)
            periods.insert(text.substr(at, text.find(',', at) - at) + "|" +
                           std::string(line.name, line.nameLength)); // a year may have five digits
        else
            *whole = 0;
    }
    return periods;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    int yes = in.ConsumeBool();
    std::string log = in.ConsumeRandomLengthString(8192);
    std::string left = in.ConsumeRemainingBytesAsString();
    ResetFakeSystem();
    if (!log.empty())
        PutFile("timelog.csv", log);
    PutFile("timelog-running.csv", left);
    fake.answer = yes ? ANSWER_YES : ANSWER_NO;
    Require(TakeOverRunningFile(nullptr) == TAKE_OVER_DONE);
    std::string after = FileText("timelog.csv");
    Require(after.compare(0, log.size(), log) == 0); // appended only
    std::string added = after.substr(log.size());
    if (!added.empty() && !log.empty() && log.back() != '\n') {
        Require(added.compare(0, 2, "\r\n") == 0); // on a line of its own
        added.erase(0, 2);
    }
    Require(added.empty() || added.compare(added.size() - 2, 2, "\r\n") == 0);
    int whole, logWhole;
    std::multiset<std::string> new_ = Periods(added, &whole), old = Periods(log, &logWhole);
    Require(whole);
    for (const std::string& period : new_)
        Require(new_.count(period) == 1 && old.count(period) == 0);
    Require(FileText("timelog-running.csv") == "\r\n");
    return 0;
}
