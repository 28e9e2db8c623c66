#include "tasks/time_log.h"

#include <stdlib.h>
#include <string.h>

#include "app/shell_state.h"
#include "app/text_builder.h"

char runningTaskName[TASK_NAME_SIZE];
LocalTime runningTaskStart;
int firstSwitchPending = 1;
int useBackdatedTime = 0;
LocalTime backdatedTime;

namespace {

const char kLogName[] = "timelog.csv";
const char kUnsavedLogName[] = "timelog-unsaved.csv";

// Lines that timelog.csv refused, in order, written before the next line.
char* heldLog = nullptr;
size_t heldLength = 0;
size_t heldCapacity = 0;

int HoldLine(const char* line, size_t length)
{
    if (heldLength + length > heldCapacity) {
        size_t wanted = (heldLength + length) * 2;
        char* grown = static_cast<char*>(realloc(heldLog, wanted));
        if (grown == nullptr)
            return -1;
        heldLog = grown;
        heldCapacity = wanted;
    }
    memcpy(heldLog + heldLength, line, length);
    heldLength += length;
    return 0;
}

void CopyName(char* to, const char* name)
{
    TextBuilder b = {to, TASK_NAME_SIZE, 0};
    AppendText(&b, name);
}

int WriteHeldLines(OwnerWindow owner)
{
    WriteResult result = AppendToFile(kLogName, heldLog, heldLength);
    if (result == WRITE_OK) {
        heldLength = 0;
        return 0;
    }
    ShowMessage(owner,
                result == WRITE_FAILED ? "timelog.csv file write error."
                                       : "timelog.csv file open error.",
                "OPEN ERROR", MESSAGE_ERROR);
    return -1;
}

} // namespace

void StartRunningTask()
{
    CopyName(runningTaskName, TaskTable[0]);
    runningTaskStart = CurrentLocalTime();
}

void SwitchToSelectedTask(OwnerWindow owner)
{
    if (dialogOpen == 0 && IsSlotIndex(selectedRow) && TaskTable[selectedRow][0] != '\0') {
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

void AppendMoment(TextBuilder* b, const LocalTime& time, int yearWidth)
{
    AppendPadded(b, time.wYear, yearWidth, ' ');
    AppendText(b, "/");
    AppendPadded(b, time.wMonth, 2, '0');
    AppendText(b, "/");
    AppendPadded(b, time.wDay, 2, '0');
    AppendText(b, " ");
    AppendPadded(b, time.wHour, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wMinute, 2, '0');
    AppendText(b, ":");
    AppendPadded(b, time.wSecond, 2, '0');
}

size_t FormatTimeLogLine(char* out, size_t capacity, const LocalTime& start, int64_t seconds,
                         const char* name)
{
    int64_t hours = seconds / 3600;
    int64_t minutes = (seconds - hours * 3600) / 60;
    int64_t secs = seconds - (seconds / 60) * 60;
    TextBuilder b = {out, capacity, 0};
    AppendMoment(&b, start, 4);
    AppendText(&b, ",");
    AppendInt(&b, hours);
    AppendText(&b, ":");
    AppendPadded(&b, minutes, 2, '0');
    AppendText(&b, ":");
    AppendPadded(&b, secs, 2, '0');
    AppendText(&b, ",");
    AppendInt(&b, seconds);
    AppendText(&b, ",");
    AppendText(&b, name);
    AppendText(&b, "\r\n");
    return b.length;
}

int AppendTimeLog(OwnerWindow owner, const char* newName)
{
    LocalTime switchTime = CurrentLocalTime();
    // A moment that is not on the calendar never reaches the log.
    if (useBackdatedTime == 1 && IsRealMoment(backdatedTime))
        switchTime = backdatedTime;
    if (firstSwitchPending == 1) {
        CopyName(runningTaskName, newName);
        firstSwitchPending = 0;
        return 0;
    }
    int64_t seconds = DurationSeconds(runningTaskStart, switchTime);
    size_t length =
        FormatTimeLogLine(fileBuffer, FILE_BUFFER_SIZE, runningTaskStart, seconds, runningTaskName);
    int result = -1;
    if (HoldLine(fileBuffer, length) == 0)
        result = WriteHeldLines(owner);
    else
        ShowMessage(owner, "timelog.csv file write error.", "OPEN ERROR", MESSAGE_ERROR);
    // The record moves on either way: a held line keeps the period under its own name.
    CopyName(runningTaskName, newName);
    runningTaskStart = switchTime;
    return result;
}

size_t HeldLogLength()
{
    return heldLength;
}

void SaveHeldLogAside(OwnerWindow owner)
{
    if (heldLength == 0)
        return;
    if (AppendToFile(kUnsavedLogName, heldLog, heldLength) == WRITE_OK) {
        heldLength = 0;
        ShowMessage(owner,
                    "timelog.csv could not be written; the lines it is missing were saved "
                    "in timelog-unsaved.csv.",
                    "Warning", MESSAGE_WARNING);
    }
}

void DiscardHeldLog()
{
    heldLength = 0;
}
