#include "tasks/run_take_over.h"

#include <stdlib.h>
#include <string.h>

#include "base/kept_file.h"
#include "base/log_line.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "tasks/running_period.h"

namespace {

const char kRunningName[] = "timelog-running.csv";
const char* const kLogNames[] = {"timelog.csv", "timelog-unsaved.csv"};
enum {
    TAIL_FIRST = 16 * 1024,      // a day's lines, usually all that must be looked at
    TAIL_MOST = 4 * 1024 * 1024, // about 80,000 lines: no period the left file holds is older
    QUESTION_SIZE = TASK_NAME_SIZE + 192,
    TRIES_BEFORE_TELLING = 60 / TAKE_OVER_RETRY_SECONDS
};

int triesLeft = TRIES_BEFORE_TELLING;

// A line the left file holds, and whether it is still to be logged.
struct LeftLine {
    const char* text;
    size_t length; // CR LF included
    TimeLogLine period;
    int logged;
};

struct LeftFile {
    char* text;
    size_t length;
    LeftLine* lines; // [0]: the running task (length 0 when none), then the held lines
    size_t count;
};

// The end of the line that starts at text[at] (without CR LF), and where the next one starts.
size_t LineEnd(const char* text, size_t length, size_t at, size_t* next)
{
    const void* lf = memchr(text + at, '\n', length - at);
    size_t end = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - text) : length;
    *next = end + 1;
    return end > at && text[end - 1] == '\r' ? end - 1 : end;
}

// Splits the file into its lines; 0 unless every line is whole and the log's own (the first
// may be empty).
int ReadLeftLines(LeftFile* f)
{
    size_t count = 0;
    for (size_t at = 0; at < f->length; ++at)
        count += f->text[at] == '\n';
    f->lines = static_cast<LeftLine*>(calloc(count + 1, sizeof(LeftLine)));
    if (f->lines == nullptr)
        return 0;
    for (size_t at = 0, next; at < f->length; at = next) {
        size_t end = LineEnd(f->text, f->length, at, &next);
        if (next > f->length || f->text[end] != '\r')
            return 0; // cut short
        LeftLine& line = f->lines[f->count++];
        if (at == 0 && end == 0)
            continue; // nothing ran that the log would keep
        line.text = f->text + at;
        line.length = next - at;
        if (ParseTimeLogLine(line.text, end - at, &line.period) != nullptr)
            return 0;
    }
    return 1;
}

// 1 when the first whole line of a tail (the one before it may be cut) began before `earliest`.
int BeginsBefore(const char* tail, size_t length, const LocalTime& earliest)
{
    size_t at;
    LineEnd(tail, length, 0, &at);
    if (at >= length)
        return 0;
    size_t next;
    size_t end = LineEnd(tail, length, at, &next);
    TimeLogLine first;
    return ParseTimeLogLine(tail + at, end - at, &first) == nullptr &&
           TimeDifference(first.start, earliest) > 0;
}

// Reads the end of a log back to a line that began before `earliest`, or to its start, or to
// the bound: into `tail`, `length` bytes. A missing log is an empty one.
ReadResult ReadLogTail(const char* name, const LocalTime& earliest, char** tail, size_t* length)
{
    *length = 0;
    for (size_t size = TAIL_FIRST;; size *= 4) {
        char* grown = static_cast<char*>(realloc(*tail, size));
        if (grown == nullptr)
            return READ_UNOPENABLE;
        *tail = grown;
        int whole = 0;
        ReadResult read = ReadFileEnd(name, *tail, size, length, &whole);
        if (read == READ_MISSING)
            *length = 0;
        if (read != READ_OK)
            return read == READ_MISSING ? READ_OK : read;
        if (whole || size >= TAIL_MOST || BeginsBefore(*tail, *length, earliest))
            return READ_OK;
    }
}

// Marks the left lines whose period a line of `tail` has.
void MarkLogged(const char* tail, size_t length, LeftFile* f)
{
    for (size_t at = 0, next; at < length; at = next) {
        size_t end = LineEnd(tail, length, at, &next);
        TimeLogLine line;
        if (ParseTimeLogLine(tail + at, end - at, &line) != nullptr)
            continue;
        for (size_t i = 0; i < f->count; ++i)
            f->lines[i].logged |= f->lines[i].length > 0 && SamePeriod(f->lines[i].period, line);
    }
}

// The earliest start of the left lines; 0 when there are none.
int EarliestStart(const LeftFile& f, LocalTime* earliest)
{
    int found = 0;
    for (size_t i = 0; i < f.count; ++i) {
        const LeftLine& line = f.lines[i];
        if (line.length > 0 && (!found || TimeDifference(line.period.start, *earliest) > 0))
            *earliest = line.period.start;
        found |= line.length > 0;
    }
    return found;
}

// Marks what either log holds already, and a line the file holds twice; `endsOpen` is 1 when
// timelog.csv ends inside a line, which an append must not run on from.
ReadResult MarkWhatIsLogged(LeftFile* f, int* endsOpen)
{
    *endsOpen = 0;
    LocalTime earliest;
    if (!EarliestStart(*f, &earliest))
        return READ_OK;
    for (const char* name : kLogNames) {
        char* tail = nullptr;
        size_t length = 0;
        ReadResult read = ReadLogTail(name, earliest, &tail, &length);
        if (read == READ_OK)
            MarkLogged(tail, length, f);
        if (name == kLogNames[0])
            *endsOpen = length > 0 && tail[length - 1] != '\n';
        free(tail);
        if (read != READ_OK)
            return read;
    }
    // A period twice in the file counts once, as a held line rather than as the running task.
    for (size_t i = 0; i < f->count; ++i) {
        for (size_t j = 1; j < f->count && (i == 0 || j < i); ++j)
            f->lines[i].logged |= f->lines[i].length > 0 && f->lines[j].length > 0 &&
                                  !f->lines[j].logged && j != i &&
                                  SamePeriod(f->lines[i].period, f->lines[j].period);
    }
    return READ_OK;
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

int AskAboutLeftTask(OwnerWindow owner, const TimeLogLine& line)
{
    int64_t ticks = 0;
    LocalTimeToTicks(line.start, &ticks);
    char text[QUESTION_SIZE];
    TextBuilder b = {text, sizeof text, 0};
    AppendText(&b, "Vornet did not end properly.\r\n");
    AppendBytes(&b, line.name, line.nameLength);
    AppendText(&b, " ran from ");
    AppendMoment(&b, line.start, 0);
    AppendText(&b, " until at least ");
    AppendClock(&b, TicksToLocalTime(ticks + line.seconds * TICKS_PER_SECOND));
    AppendText(&b, ".\r\nLog this time?");
    return TellUser(owner, text, "Vornet", MESSAGE_QUESTION);
}

// The lines not yet logged go to the log, the running task's on Yes. The file stays as the
// left run wrote it until then: an end inside a box leaves the same question for next time.
TakeOverResult TakeOverLines(OwnerWindow owner, const LeftFile& f, int endsOpen)
{
    int held = 0;
    for (size_t i = 1; i < f.count; ++i)
        held |= !f.lines[i].logged && f.lines[i].length > 0;
    const LeftLine& running = f.lines[0];
    int ask = running.length > 0 && !running.logged;
    if (endsOpen && (held || ask))
        AppendToFile(kLogNames[0], "\r\n", 2); // what follows begins a line of its own
    for (size_t i = 1; i < f.count; ++i) {
        if (!f.lines[i].logged && f.lines[i].length > 0)
            HoldLines(f.lines[i].text, f.lines[i].length);
    }
    if (held)
        WriteHeldLines(owner);
    if (ask) {
        int answer = AskAboutLeftTask(owner, running.period);
        if (answer != ANSWER_YES && answer != ANSWER_NO)
            return TAKE_OVER_DONE; // no answer: the session ends, and the file keeps its question
        if (answer == ANSWER_YES && HoldLines(running.text, running.length) == 0)
            WriteHeldLines(owner);
    }
    StartKeepingRunningFile(owner);
    return TAKE_OVER_DONE;
}

// The whole left file into f->text: READ_MISSING when there is none.
ReadResult ReadLeftFile(LeftFile* f)
{
    FileStamp stamp;
    if (!ReadFileStamp(kRunningName, &stamp))
        return READ_MISSING;
    if (stamp.size >= SIZE_MAX)
        return READ_TOO_LARGE;
    f->text = static_cast<char*>(malloc(static_cast<size_t>(stamp.size) + 1));
    if (f->text == nullptr)
        return READ_UNOPENABLE;
    return ReadWholeFile(kRunningName, f->text, static_cast<size_t>(stamp.size), &f->length, &stamp);
}

TakeOverResult TakeOver(OwnerWindow owner, LeftFile* f)
{
    ReadResult read = ReadLeftFile(f);
    if (read == READ_MISSING) {
        StartKeepingRunningFile(owner);
        return TAKE_OVER_DONE;
    }
    if (read == READ_UNOPENABLE)
        return TAKE_OVER_LATER;
    if (read != READ_OK || !ReadLeftLines(f)) {
        KeepUnreadableFile(owner);
        StartKeepingRunningFile(owner);
        return TAKE_OVER_DONE;
    }
    int endsOpen;
    if (MarkWhatIsLogged(f, &endsOpen) != READ_OK)
        return TAKE_OVER_LATER;
    return TakeOverLines(owner, *f, endsOpen);
}

} // namespace

TakeOverResult TakeOverRunningFile(OwnerWindow owner)
{
    LeftFile f = {};
    TakeOverResult result = TakeOver(owner, &f);
    free(f.text);
    free(f.lines);
    if (result == TAKE_OVER_DONE)
        triesLeft = TRIES_BEFORE_TELLING;
    else if (--triesLeft == 0)
        TellUser(owner, "timelog-running.csv or timelog.csv cannot be read (another program holds "
                        "it). What the last run left in it is logged once it can be read.",
                 "Warning", MESSAGE_WARNING);
    return result;
}
