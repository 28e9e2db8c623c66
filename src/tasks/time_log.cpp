#include "tasks/time_log.h"

#include <stdlib.h>
#include <string.h>

#include "base/shell_state.h"
#include "base/text_builder.h"

char runningTaskName[TASK_NAME_SIZE];
LocalTime runningTaskStart;
int firstSwitchPending = 1;
int useBackdatedTime = 0;
LocalTime backdatedTime;

namespace {

const char kLogName[] = "timelog.csv";
const char kUnsavedLogName[] = "timelog-unsaved.csv";
enum {
    SHOWN_LOG_BYTES = 2048,            // of lines saved nowhere, what a message box shows
    LOG_LINE_SIZE = TASK_NAME_SIZE + 64 // a line: its name and at most 60 bytes of numbers
};

// Lines that timelog.csv refused, in order, written before the next line.
char* heldLog = nullptr;
size_t heldLength = 0;

// Held lines are rare (a log another program holds), so each grows the block to fit.
int HoldLine(const char* line, size_t length)
{
    char* grown = static_cast<char*>(realloc(heldLog, heldLength + length));
    if (grown == nullptr)
        return -1;
    heldLog = grown;
    memcpy(heldLog + heldLength, line, length);
    heldLength += length;
    return 0;
}

void WriteHeldLines(OwnerWindow owner)
{
    WriteResult result = AppendToFile(kLogName, heldLog, heldLength);
    if (result == WRITE_OK)
        heldLength = 0;
    else
        TellFileError(owner, kLogName, result);
}

// The last word on lines that no file would take: as many as fit, then how many more.
void ShowUnsavedLines(OwnerWindow owner)
{
    char text[SHOWN_LOG_BYTES + 256];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "timelog.csv and timelog-unsaved.csv could not be written. These lines of "
                   "the time log are saved nowhere; please note them:\r\n\r\n");
    size_t shownEnd = b.length + SHOWN_LOG_BYTES;
    int more = 0;
    for (size_t pos = 0, next; pos < heldLength; pos = next) {
        const void* lf = memchr(heldLog + pos, '\n', heldLength - pos);
        next = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - heldLog) + 1
                             : heldLength;
        if (more == 0 && b.length + (next - pos) <= shownEnd)
            AppendBytes(&b, heldLog + pos, next - pos);
        else
            ++more;
    }
    if (more > 0) {
        AppendText(&b, "\r\n... and ");
        AppendInt(&b, more);
        AppendText(&b, " more.");
    }
    TellUser(owner, text, "OPEN ERROR", MESSAGE_ERROR);
}

} // namespace

void StartRunningTask()
{
    CopyString(runningTaskName, TASK_NAME_SIZE, TaskTable[0]);
    runningTaskStart = CurrentLocalTime();
}

void SwitchToSelectedTask(OwnerWindow owner)
{
    if (dialogOpen == 0 && SelectedRowIsNamed()) {
        AppendTimeLog(owner, TaskTable[selectedRow]);
        current_task = selectedRow;
    }
    useBackdatedTime = 0;
}

int64_t DurationSeconds(LocalTime start, LocalTime end)
{
    int64_t seconds = TimeDifference(start, end) / TICKS_PER_SECOND;
    return seconds < 0 ? 0 : seconds;
}

void AppendClock(TextBuilder* b, const LocalTime& time)
{
    AppendPadded(b, time.wHour, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wMinute, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wSecond, 2, '0');
}

void AppendMoment(TextBuilder* b, const LocalTime& time, int yearWidth)
{
    AppendPadded(b, time.wYear, yearWidth, ' ');
    AppendText(b, "/");
    AppendPadded(b, time.wMonth, 2, '0');
    AppendText(b, "/");
    AppendPadded(b, time.wDay, 2, '0');
    AppendText(b, " ");
    AppendClock(b, time);
}

void AppendDuration(TextBuilder* b, int64_t seconds)
{
    int64_t hours = seconds / 3600;
    AppendInt(b, hours);
    AppendText(b, ":");
    AppendPadded(b, (seconds - hours * 3600) / 60, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, seconds - (seconds / 60) * 60, 2, '0');
}

size_t FormatTimeLogLine(char* out, size_t capacity, const LocalTime& start, int64_t seconds,
                         const char* name)
{
    TextBuilder b = {out, capacity, 0};
    AppendMoment(&b, start, 4);
    AppendText(&b, ",");
    AppendDuration(&b, seconds);
    AppendText(&b, ",");
    AppendInt(&b, seconds);
    AppendText(&b, ",");
    AppendText(&b, name);
    AppendText(&b, "\r\n");
    return b.length;
}

size_t FormatRunningTip(char* out, size_t capacity, LocalTime now)
{
    char elapsed[32];
    TextBuilder time = {elapsed, sizeof elapsed, 0};
    AppendText(&time, " ");
    AppendDuration(&time, DurationSeconds(runningTaskStart, now));
    // The time is what the tip is for: a long name gives way to it.
    TextBuilder b = {out, capacity - time.length, 0};
    AppendText(&b, runningTaskName);
    b.capacity = capacity;
    AppendText(&b, elapsed);
    return b.length;
}

void EndRunningTaskAt(OwnerWindow owner, LocalTime when, const char* newName)
{
    char line[LOG_LINE_SIZE];
    size_t length = FormatTimeLogLine(line, sizeof line, runningTaskStart,
                                      DurationSeconds(runningTaskStart, when), runningTaskName);
    int held = HoldLine(line, length) == 0;
    // The record moves on before any box: whatever runs while one is up (the end of the
    // session) must not log this period a second time. A held line keeps it under its name.
    CopyString(runningTaskName, TASK_NAME_SIZE, newName);
    runningTaskStart = when;
    if (held)
        WriteHeldLines(owner);
    else
        TellFileError(owner, kLogName, WRITE_FAILED);
}

void AppendTimeLog(OwnerWindow owner, const char* newName)
{
    LocalTime switchTime = CurrentLocalTime();
    // A moment that is not on the calendar never reaches the log.
    if (useBackdatedTime == 1 && IsRealMoment(backdatedTime))
        switchTime = backdatedTime;
    if (firstSwitchPending == 1) {
        CopyString(runningTaskName, TASK_NAME_SIZE, newName);
        firstSwitchPending = 0;
        return;
    }
    EndRunningTaskAt(owner, switchTime, newName);
}

void SaveHeldLogAside(OwnerWindow owner)
{
    if (heldLength == 0)
        return;
    if (AppendToFile(kUnsavedLogName, heldLog, heldLength) == WRITE_OK)
        TellUser(owner,
                 "timelog.csv could not be written; the lines it is missing were saved in "
                 "timelog-unsaved.csv.",
                 "Warning", MESSAGE_WARNING);
    else
        ShowUnsavedLines(owner);
    heldLength = 0;
}

void DiscardHeldLog()
{
    heldLength = 0;
}
