// The running task and every line it gives timelog.csv. This is the one owner of the record,
// of the lines the log refused (held, written before any other) and of timelog-running.csv,
// the record on disk, so that a crash, a forced end or a lost battery loses none of it:
//   line 1: the running task's line, its duration up to the last moment it was known to run
//           (an empty line while the first-switch rule would log nothing);
//   then:   the lines timelog.csv refused, in order, still to be written there.
// Its lines are the log's own, so any reader of the log reads it. The order of writes: a
// line is on disk in the log before the running file says that the next task runs.
#pragma once
#include <stddef.h>
#include <stdint.h>

#include "base/local_time.h"
#include "base/system.h"
#include "tasks/task_table.h"

extern char runningTaskName[TASK_NAME_SIZE]; // as large as a slot: any name fits whole
extern LocalTime runningTaskStart;
extern int firstSwitchPending; // 1 until the first AppendTimeLog, which then logs nothing
extern int useBackdatedTime;   // 1: the next switch happens at backdatedTime (its dialog sets it)
extern LocalTime backdatedTime;

enum {
    REFRESH_SECONDS = 60,      // how often the last moment is renewed while a task runs
    MOST_TASK_CHANGES = 3      // a switch after an absence: the break, the return, the switch
};

// Starts the record at start-up: the break task, from now.
void StartRunningTask();
// Slot 0's name, or "Break" while the slot is empty: no line is ever logged without a name.
const char* BreakTaskName();
// The moment a switch takes effect: now, or the moment chosen in the back-dated dialog.
LocalTime SwitchMoment();

// Ends the running task with a line in timelog.csv and starts `newName` (the first switch
// logs nothing) at SwitchMoment().
void AppendTimeLog(OwnerWindow owner, const char* newName);
// Past the first switch: at each `when`, in order, the running task ends with a line and
// `name` starts. All lines go to the log in one write; nothing changes once the run ended.
struct TaskChange {
    LocalTime when;
    const char* name;
};
void ChangeRunningTask(OwnerWindow owner, const TaskChange* changes, int count);

// The running task's name, a space and how long it has run until `now`: "Coding 1:05:09".
// `capacity` must exceed 32, the most the time takes.
size_t FormatRunningTip(char* out, size_t capacity, LocalTime now);

// The lines timelog.csv refused, still to be written there before any other.
const char* HeldLines(size_t* length);
// Adds whole lines to them; 0, or -1 when there is no memory for them.
int HoldLines(const char* lines, size_t length);
// Writes them to timelog.csv, then the running file; a refusal is told in a box owned by
// `owner`, and they stay.
void WriteHeldLines(OwnerWindow owner);

// From now on the running file is this run's: written whole at every change.
void StartKeepingRunningFile(OwnerWindow owner);
// Renews the running file for the state now; the first failure of a run is told in a box
// owned by `owner` when time is at stake.
void KeepRunningFile(OwnerWindow owner);
int RunningFileKept();
// When the running task was last known to run.
LocalTime LastKnownMoment();

// Exit or the end of a session begins: the running file is no longer rewritten at changes.
void StopKeepingRunningFile();
// ... then the running task's line, the lines the log still refuses set aside in
// timelog-unsaved.csv (or shown, when that fails too), and no running file once every line is
// on disk. Once a run; a run whose file was never taken over leaves it for the next start.
void EndRunningPeriod(OwnerWindow owner);

// Forgets the record's run (for a fresh start and for tests).
void ForgetRunningPeriod();
