#include "tasks/running_period.h"

#include <stdlib.h>
#include <string.h>

#include "base/log_line.h"
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
const char kRunningName[] = "timelog-running.csv";
enum {
    SHOWN_LOG_BYTES = 2048,         // of lines saved nowhere, what a message box shows
    LINE_SIZE = TASK_NAME_SIZE + 64 // a line: its name and at most 60 bytes of numbers
};

// Lines that timelog.csv refused, in order, written before the next line.
char* heldLog = nullptr;
size_t heldLength = 0;
size_t heldCapacity = 0;

int keeping = 0;     // the running file is this run's: written at every change
int ended = 0;       // Exit or the session's end came: the file goes once all is on disk
int runEnded = 0;    // the run's last line is written: nothing runs any more
int failureTold = 0; // a running file that could not be written is told once a run
LocalTime lastMoment; // when the running task was last known to run

// Line 1 as it stands now, CR LF included; empty but for CR LF when nothing runs that the
// log would keep.
size_t RunningLine(char* out, size_t capacity)
{
    if (firstSwitchPending || runEnded)
        return CopyString(out, capacity, "\r\n");
    return FormatTimeLogLine(out, capacity, runningTaskStart,
                             DurationSeconds(runningTaskStart, lastMoment), runningTaskName);
}

void TellRunningFileFailure(OwnerWindow owner, const char* text)
{
    if (failureTold)
        return;
    failureTold = 1;
    TellUser(owner, text, "Warning", MESSAGE_WARNING);
}

WriteResult WriteRunningFile()
{
    char line[LINE_SIZE];
    size_t lineLength = RunningLine(line, sizeof line);
    char* text = static_cast<char*>(malloc(lineLength + heldLength));
    if (text == nullptr)
        return WRITE_FAILED;
    memcpy(text, line, lineLength);
    if (heldLength > 0)
        memcpy(text + lineLength, heldLog, heldLength);
    FileStamp stamp;
    WriteResult result = ReplaceWholeFile(kRunningName, text, lineLength + heldLength, &stamp);
    free(text);
    return result;
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

// At the run's end: lines timelog.csv still refuses go to timelog-unsaved.csv instead; when
// that fails too, the lines are shown, and they stay held for the running file.
void SaveHeldLogAside(OwnerWindow owner)
{
    if (heldLength == 0)
        return;
    if (AppendToFile(kUnsavedLogName, heldLog, heldLength) != WRITE_OK) {
        ShowUnsavedLines(owner);
        return;
    }
    heldLength = 0;
    TellUser(owner,
             "timelog.csv could not be written; the lines it is missing were saved in "
             "timelog-unsaved.csv.",
             "Warning", MESSAGE_WARNING);
}

// No file once nothing is left to take over; a file that would not go names nothing running.
void EndRunningFile(OwnerWindow owner)
{
    if (!ended)
        return;
    if (heldLength == 0 && RemoveFile(kRunningName) == 0)
        return;
    if (WriteRunningFile() == WRITE_OK)
        return;
    TellRunningFileFailure(owner, heldLength > 0
        ? "timelog-running.csv could not be written: the lines of the time log it should keep "
          "are saved nowhere."
        : "timelog-running.csv could not be removed or rewritten (another program may hold it). "
          "It does no harm: the next start finds its task in timelog.csv.");
}

} // namespace

void StartRunningTask()
{
    CopyString(runningTaskName, TASK_NAME_SIZE, BreakTaskName());
    runningTaskStart = CurrentLocalTime();
}

const char* BreakTaskName()
{
    return TaskTable[0][0] != '\0' ? TaskTable[0] : "Break";
}

LocalTime SwitchMoment()
{
    // A moment that is not on the calendar never reaches the log.
    if (useBackdatedTime == 1 && IsRealMoment(backdatedTime))
        return backdatedTime;
    return CurrentLocalTime();
}

void AppendTimeLog(OwnerWindow owner, const char* newName)
{
    TaskChange change = {SwitchMoment(), newName};
    if (firstSwitchPending == 1) {
        CopyString(runningTaskName, TASK_NAME_SIZE, newName);
        firstSwitchPending = 0;
        KeepRunningFile(owner); // from here on a crash would lose this task's time
        return;
    }
    ChangeRunningTask(owner, &change, 1);
}

void ChangeRunningTask(OwnerWindow owner, const TaskChange* changes, int count)
{
    if (runEnded || count > MOST_TASK_CHANGES)
        return;
    char names[MOST_TASK_CHANGES][TASK_NAME_SIZE]; // a name may be the record's own
    for (int i = 0; i < count; ++i)
        CopyString(names[i], TASK_NAME_SIZE, changes[i].name);
    int held = 1;
    for (int i = 0; i < count; ++i) {
        char line[LINE_SIZE];
        size_t length = FormatTimeLogLine(line, sizeof line, runningTaskStart,
                                          DurationSeconds(runningTaskStart, changes[i].when),
                                          runningTaskName);
        held = held && HoldLines(line, length) == 0;
        // The record moves on before any box: whatever runs while one is up (the end of the
        // session) must not log this period a second time.
        CopyString(runningTaskName, TASK_NAME_SIZE, names[i]);
        runningTaskStart = changes[i].when;
    }
    if (held) {
        WriteHeldLines(owner);
    } else {
        KeepRunningFile(owner);
        TellFileError(owner, kLogName, WRITE_FAILED);
    }
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

const char* HeldLines(size_t* length)
{
    *length = heldLength;
    return heldLog;
}

// The block grows by doubling: a log held all day holds its lines without copying them again
// at every switch.
int HoldLines(const char* lines, size_t length)
{
    if (heldLength + length > heldCapacity) {
        size_t capacity = heldLength + length > 2 * heldCapacity ? heldLength + length : 2 * heldCapacity;
        char* grown = static_cast<char*>(realloc(heldLog, capacity));
        if (grown == nullptr)
            return -1;
        heldLog = grown;
        heldCapacity = capacity;
    }
    memcpy(heldLog + heldLength, lines, length);
    heldLength += length;
    return 0;
}

void WriteHeldLines(OwnerWindow owner)
{
    WriteResult result = heldLength > 0 ? AppendToFile(kLogName, heldLog, heldLength) : WRITE_OK;
    if (result == WRITE_OK)
        heldLength = 0;
    // On disk before any box: a crash while it is up keeps every line.
    KeepRunningFile(owner);
    if (result != WRITE_OK)
        TellFileError(owner, kLogName, result);
}

void StartKeepingRunningFile(OwnerWindow owner)
{
    keeping = 1;
    KeepRunningFile(owner);
}

void KeepRunningFile(OwnerWindow owner)
{
    lastMoment = CurrentLocalTime();
    if (!keeping || WriteRunningFile() == WRITE_OK)
        return;
    // Nothing is lost yet, only the safety against a crash: the user hears of it once, when
    // there is time to lose.
    if (!firstSwitchPending || heldLength > 0)
        TellRunningFileFailure(owner, "timelog-running.csv could not be written: if Vornet does "
                                      "not end properly, the running task's time is lost.");
}

int RunningFileKept()
{
    return keeping;
}

LocalTime LastKnownMoment()
{
    return lastMoment;
}

void StopKeepingRunningFile()
{
    ended |= keeping; // a second end (the session's inside Exit's box) keeps the first's word
    keeping = 0;
}

void EndRunningPeriod(OwnerWindow owner)
{
    if (runEnded)
        return;
    AppendTimeLog(owner, BreakTaskName());
    runEnded = 1;
    SaveHeldLogAside(owner);
    EndRunningFile(owner);
}

void ForgetRunningPeriod()
{
    heldLength = 0;
    keeping = ended = runEnded = failureTold = 0;
    firstSwitchPending = 1;
    useBackdatedTime = 0;
}
