#include "tasks/time_log.h"

#include <stdlib.h>
#include <string.h>

#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/running_file.h"

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

// Reads `count` digits at line[*at] into `value` (any number of them for 0, but no more than
// 18: past any number a line holds); 0 when they are not there.
int ReadDigits(const char* line, size_t length, size_t* at, size_t count, int64_t* value)
{
    *value = 0;
    size_t start = *at;
    for (; *at < length && *at - start < 18 && line[*at] >= '0' && line[*at] <= '9'; ++*at)
        *value = *value * 10 + (line[*at] - '0');
    return *at > start && (count == 0 || *at - start == count);
}

// A member of a LocalTime; a value it cannot hold becomes 0, which no real moment has.
unsigned short Member(int64_t value)
{
    return static_cast<unsigned short>(value > 65535 ? 0 : value);
}

int ReadSeparator(const char* line, size_t length, size_t* at, char separator)
{
    return *at < length && line[(*at)++] == separator;
}

} // namespace

const char* HeldLines(size_t* length)
{
    *length = heldLength;
    return heldLog;
}

// Held lines are rare (a log another program holds), so each grows the block to fit.
int HoldLines(const char* lines, size_t length)
{
    char* grown = static_cast<char*>(realloc(heldLog, heldLength + length));
    if (grown == nullptr)
        return -1;
    heldLog = grown;
    memcpy(heldLog + heldLength, lines, length);
    heldLength += length;
    return 0;
}

void WriteHeldLines(OwnerWindow owner)
{
    WriteResult result = AppendToFile(kLogName, heldLog, heldLength);
    if (result == WRITE_OK)
        heldLength = 0;
    // On disk before any box: a crash while it is up keeps every line.
    KeepRunningFile(owner);
    if (result != WRITE_OK)
        TellFileError(owner, kLogName, result);
}

int ParseTimeLogLine(const char* line, size_t length, LocalTime* start, int64_t* seconds,
                     size_t* nameAt)
{
    size_t at = 0;
    while (at < length && at < 3 && line[at] == ' ')
        ++at; // a year under 1000 is padded to four characters
    int64_t v[9];
    const char separators[] = "// ::,::,";
    const size_t widths[] = {0, 2, 2, 2, 2, 2, 0, 2, 2};
    for (int i = 0; i < 9; ++i) {
        if (!ReadDigits(line, length, &at, widths[i], &v[i]) ||
            !ReadSeparator(line, length, &at, separators[i]))
            return 0;
    }
    if (!ReadDigits(line, length, &at, 0, seconds) || !ReadSeparator(line, length, &at, ','))
        return 0;
    *start = LocalTime{Member(v[0]), Member(v[1]), 0, Member(v[2]), Member(v[3]), Member(v[4]),
                       Member(v[5]), 0};
    *nameAt = at;
    return IsRealMoment(*start) && v[7] < 60 && v[8] < 60 &&
           v[6] * 3600 + v[7] * 60 + v[8] == *seconds;
}

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
    int held = HoldLines(line, length) == 0;
    // The record moves on before any box: whatever runs while one is up (the end of the
    // session) must not log this period a second time. A held line keeps it under its name.
    CopyString(runningTaskName, TASK_NAME_SIZE, newName);
    runningTaskStart = when;
    if (held) {
        WriteHeldLines(owner);
    } else {
        KeepRunningFile(owner);
        TellFileError(owner, kLogName, WRITE_FAILED);
    }
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
        KeepRunningFile(owner); // from here on a crash would lose this task's time
        return;
    }
    EndRunningTaskAt(owner, switchTime, newName);
}

void SaveHeldLogAside(OwnerWindow owner)
{
    if (heldLength == 0)
        return;
    if (AppendToFile(kUnsavedLogName, heldLog, heldLength) != WRITE_OK) {
        ShowUnsavedLines(owner); // they stay held: the running file keeps them for the next start
        return;
    }
    heldLength = 0;
    TellUser(owner,
             "timelog.csv could not be written; the lines it is missing were saved in "
             "timelog-unsaved.csv.",
             "Warning", MESSAGE_WARNING);
}

void DiscardHeldLog()
{
    heldLength = 0;
}
