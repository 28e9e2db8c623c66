// Switches at any moments, the clock going back, timelog.csv held or failing, and an exit
// with timelog-unsaved.csv maybe refused: every ended task's line is somewhere the user
// can find it (the log, the unsaved file or the box at exit), once, and each is a line that
// every reader of the log takes. A run does at most MOST_STEPS steps, so that a long input
// costs no more than a day of switches.
#include <fuzzer/FuzzedDataProvider.h>
#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "base/shell_state.h"
#include "fake_system.h"
#include "tasks/task_table.h"
#include "base/log_line.h"
#include "tasks/running_period.h"

// The failed property's line is what a finding needs first.
#define Require(condition) \
    ((condition) ? (void)0 : (fprintf(stderr, "property at line %d\n", __LINE__), abort()))

namespace {

enum { MOST_STEPS = 1000 };

// The lines of `text`; each must end with CR LF and be read back by the log's own grammar.
void CheckedLines(const std::string& text, int* count)
{
    for (size_t at = 0, end; at < text.size(); at = end + 2) {
        end = text.find("\r\n", at);
        Require(end != std::string::npos);
        TimeLogLine line;
        Require(ParseTimeLogLine(text.data() + at, end - at, &line) == nullptr);
        ++*count;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    FuzzedDataProvider in(data, size);
    ResetFakeSystem();
    SetTaskName(1, "A");
    SetTaskName(2, "B");
    int switches = 0;
    for (int step = 0; step < MOST_STEPS && in.remaining_bytes() > 0; ++step) {
        switch (in.ConsumeIntegralInRange(0, 3)) {
        case 0:
            fake.now = At(in.ConsumeIntegralInRange(1601, 30827), in.ConsumeIntegralInRange(1, 12),
                          in.ConsumeIntegralInRange(1, 28), in.ConsumeIntegralInRange(0, 23),
                          in.ConsumeIntegralInRange(0, 59), in.ConsumeIntegralInRange(0, 59));
            break;
        case 1:
            fake.files["timelog.csv"].locked = in.ConsumeBool();
            break;
        case 2:
            fake.files["timelog.csv"].failWrites = in.ConsumeBool();
            break;
        default:
            AppendTimeLog(nullptr, TaskTable[in.ConsumeIntegralInRange(1, 2)]);
            ++switches;
        }
    }
    fake.files["timelog-unsaved.csv"].readOnly = size % 2 == 1;
    EndRunningPeriod(nullptr);
    int found = 0;
    CheckedLines(FileText("timelog.csv"), &found);
    CheckedLines(FileText("timelog-unsaved.csv"), &found);
    for (const ShownMessage& m : fake.messages) {
        size_t first = m.text.find("\r\n\r\n"); // the lines follow the message
        if (m.title != "OPEN ERROR" || first == std::string::npos)
            continue;
        first += 4;
        size_t more = m.text.find("\r\n... and ");
        if (more != std::string::npos)
            found += atoi(m.text.c_str() + more + 10);
        else
            more = m.text.size();
        CheckedLines(m.text.substr(first, more - first), &found);
    }
    Require(found == switches); // the first switch logs nothing; the exit's line counts
    return 0;
}
