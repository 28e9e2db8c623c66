// The running task and timelog.csv: one line per ended task, appended at every switch.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "base/system.h"
#include "base/local_time.h"
#include "tasks/task_table.h"

extern char runningTaskName[TASK_NAME_SIZE]; // as large as a slot: any name fits whole
extern LocalTime runningTaskStart;
extern int firstSwitchPending; // 1 until the first AppendTimeLog, which then logs nothing
extern int useBackdatedTime;   // 1: the next switch happens at backdatedTime
extern LocalTime backdatedTime;

// Starts the record at start-up: slot 0's name, from now.
void StartRunningTask();

// Makes the task in selectedRow the running one (when no dialog is open and it is named).
void SwitchToSelectedTask(OwnerWindow owner);

// Ends the running task with a line in timelog.csv and starts `newName` (the first switch
// logs nothing). Lines timelog.csv refuses are held and written first next time.
void AppendTimeLog(OwnerWindow owner, const char* newName);
// The same at a given moment, past the first switch: the running task's line ends at
// `when`, and `newName` runs from then.
void EndRunningTaskAt(OwnerWindow owner, LocalTime when, const char* newName);

// Whole seconds from `start` to `end`, truncated toward zero; 0 when `end` is earlier.
int64_t DurationSeconds(LocalTime start, LocalTime end);

struct TextBuilder;
// "year/MM/DD hh:mm:ss", the year right-aligned in `yearWidth` characters.
void AppendMoment(TextBuilder* b, const LocalTime& time, int yearWidth);
// "hh:mm:ss"
void AppendClock(TextBuilder* b, const LocalTime& time);
// "H:MM:SS", the hours not wrapped.
void AppendDuration(TextBuilder* b, int64_t seconds);

// "%4d/%02d/%02d %02d:%02d:%02d,%d:%02d:%02d,%d," + name + CR LF; returns its length.
size_t FormatTimeLogLine(char* out, size_t capacity, const LocalTime& start, int64_t seconds,
                         const char* name);
// Reads back such a line, without its line end: 1 with its start, its seconds and where its
// name begins; 0 for a line the timer would not write (an unreal moment, the two durations
// apart).
int ParseTimeLogLine(const char* line, size_t length, LocalTime* start, int64_t* seconds,
                     size_t* nameAt);
// The running task's name, a space and how long it has run until `now`: "Coding 1:05:09".
// `capacity` must exceed 32, the most the time takes.
size_t FormatRunningTip(char* out, size_t capacity, LocalTime now);

// The lines timelog.csv refused, still to be written there before any other.
const char* HeldLines(size_t* length);
// Adds whole lines to them; 0, or -1 when there is no memory for them.
int HoldLines(const char* lines, size_t length);
// Writes them to timelog.csv; a refusal is told in a box owned by `owner`, and they stay.
void WriteHeldLines(OwnerWindow owner);

// At exit: lines timelog.csv still refuses are appended to timelog-unsaved.csv instead;
// when that fails too, the lines themselves are shown, so that the user can note them, and
// they stay held.
void SaveHeldLogAside(OwnerWindow owner);
void DiscardHeldLog(); // for tests that start a new run
