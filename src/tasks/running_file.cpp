#include "tasks/running_file.h"

#include <stdlib.h>
#include <string.h>

#include "base/kept_file.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/away_time.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

namespace {

const char kRunningName[] = "timelog-running.csv";
enum { LINE_SIZE = TASK_NAME_SIZE + 64 };

int keeping = 0;     // the file is this run's: written at every change, removed at the end
int ended = 0;       // Exit or the session's end came: nothing runs any more
int failureTold = 0; // a file that could not be written is told once a run
LocalTime lastMoment;   // when the running task was last known to run

// Line 1 as it stands now, CR LF included; empty but for CR LF in the first-switch state.
size_t RunningLine(char* out, size_t capacity)
{
    if (firstSwitchPending || ended)
        return CopyString(out, capacity, "\r\n");
    return FormatTimeLogLine(out, capacity, runningTaskStart,
                             DurationSeconds(runningTaskStart, lastMoment), runningTaskName);
}

void WriteRunningFile(OwnerWindow owner)
{
    size_t heldLength;
    const char* held = HeldLines(&heldLength);
    char line[LINE_SIZE];
    size_t lineLength = RunningLine(line, sizeof line);
    char* text = static_cast<char*>(malloc(lineLength + heldLength));
    FileStamp stamp;
    WriteResult result = WRITE_FAILED;
    if (text != nullptr) {
        memcpy(text, line, lineLength);
        if (heldLength > 0)
            memcpy(text + lineLength, held, heldLength);
        result = ReplaceWholeFile(kRunningName, text, lineLength + heldLength, &stamp);
        free(text);
    }
    // Nothing is lost yet, only the safety against a crash: the user hears of it once, when
    // there is time to lose.
    if (result != WRITE_OK && !failureTold && lineLength + heldLength > 2) {
        failureTold = 1;
        TellUser(owner,
                 "timelog-running.csv could not be written: if Vornet does not end properly, "
                 "the running task's time is lost.",
                 "Warning", MESSAGE_WARNING);
    }
}

// The end of the line that starts at text[at], and where the next one starts.
size_t LineEnd(const char* text, size_t length, size_t at, size_t* next)
{
    const void* lf = memchr(text + at, '\n', length - at);
    size_t end = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - text) : length;
    *next = end + 1;
    return end > at && text[end - 1] == '\r' ? end - 1 : end;
}

// 1 when every line is whole and the log's own (the first may be empty).
int AllLinesReadable(const char* text, size_t length)
{
    for (size_t at = 0, next; at < length; at = next) {
        size_t end = LineEnd(text, length, at, &next);
        LocalTime start;
        int64_t seconds;
        size_t nameAt;
        int whole = next <= length && text[end] == '\r';
        if (!whole || (!(at == 0 && end == 0) && !ParseTimeLogLine(text + at, end - at, &start, &seconds, &nameAt)))
            return 0;
    }
    return 1;
}

void KeepUnreadableFile(OwnerWindow owner)
{
    char kept[260], text[512];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "timelog-running.csv holds lines Vornet cannot read");
    if (KeepFileAside(kRunningName, kept, sizeof kept) == 0) {
        AppendText(&b, ", so it was kept as ");
        AppendText(&b, kept);
    }
    AppendText(&b, ". Its time is not logged.");
    TellUser(owner, text, "Warning", MESSAGE_WARNING);
}

// Line 1 of a file a run left: the question, and on Yes the line goes to the log.
void AskAboutLeftTask(OwnerWindow owner, const char* line, size_t length)
{
    LocalTime start;
    int64_t seconds;
    size_t nameAt;
    ParseTimeLogLine(line, length, &start, &seconds, &nameAt);
    int64_t ticks = 0;
    LocalTimeToTicks(start, &ticks);
    char text[LINE_SIZE + 128];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "Vornet did not end properly.\r\n");
    AppendBytes(&b, line + nameAt, length - nameAt);
    AppendText(&b, " ran from ");
    AppendMoment(&b, start, 0);
    AppendText(&b, " until at least ");
    AppendClock(&b, TicksToLocalTime(ticks + seconds * TICKS_PER_SECOND));
    AppendText(&b, ".\r\nLog this time?");
    if (TellUser(owner, text, "Vornet", MESSAGE_QUESTION) != ANSWER_YES)
        return;
    if (HoldLines(line, length) == 0 && HoldLines("\r\n", 2) == 0)
        WriteHeldLines(owner);
}

// Takes over what a file `length` bytes long holds: its held lines, then its running task.
void TakeOverLines(OwnerWindow owner, const char* text, size_t length)
{
    size_t next;
    size_t end = LineEnd(text, length, 0, &next);
    if (next < length && HoldLines(text + next, length - next) == 0)
        WriteHeldLines(owner);
    if (end > 0)
        AskAboutLeftTask(owner, text, end);
}

} // namespace

void TakeOverRunningFile(OwnerWindow owner)
{
    FileStamp stamp;
    size_t length = 0;
    char* text = nullptr;
    ReadResult read = READ_MISSING;
    if (ReadFileStamp(kRunningName, &stamp) && stamp.size < SIZE_MAX) {
        text = static_cast<char*>(malloc(static_cast<size_t>(stamp.size) + 1));
        read = text != nullptr ? ReadWholeFile(kRunningName, text, static_cast<size_t>(stamp.size),
                                               &length, &stamp)
                               : READ_UNOPENABLE;
    }
    if (read == READ_OK && AllLinesReadable(text, length))
        TakeOverLines(owner, text, length);
    else if (read != READ_MISSING)
        KeepUnreadableFile(owner);
    free(text);
    keeping = 1;
    KeepRunningFile(owner);
}

void KeepRunningFile(OwnerWindow owner)
{
    lastMoment = CurrentLocalTime();
    if (keeping)
        WriteRunningFile(owner);
}

void StopKeepingRunningFile()
{
    ended = keeping; // a run whose file was never taken over leaves it for the next start
    keeping = 0;
}

void EndRunningFile(OwnerWindow owner)
{
    if (!ended)
        return;
    size_t heldLength;
    HeldLines(&heldLength);
    // A file that would not go names nothing running any more.
    if (heldLength > 0 || RemoveFile(kRunningName) != 0)
        WriteRunningFile(owner);
}

int RunningFileWantsRefresh()
{
    return keeping && !firstSwitchPending && current_task != 0 && !UserIsAway();
}

int RefreshRunningFile(OwnerWindow owner, LocalTime now)
{
    int gap = TimeDifference(lastMoment, now) > int64_t(GAP_AWAY_SECONDS) * TICKS_PER_SECOND;
    if (gap) {
        NoteUserLeft(lastMoment);
        NoteUserBack(now);
    }
    KeepRunningFile(owner);
    return gap;
}

void ForgetRunningFile()
{
    keeping = ended = failureTold = 0;
}
