// The running task on disk, so that a crash, a forced end or a lost battery loses none of it:
// timelog-running.csv beside the log holds what Exit would append now. Its name sorts beside
// timelog.csv, and its lines are the log's own, so any reader of the log reads it:
//   line 1: the running task's line, its duration up to the last moment it was known to run
//           (an empty line while the first-switch rule would log nothing);
//   then:   the lines timelog.csv refused, in order, still to be written there.
#pragma once
#include "base/local_time.h"
#include "base/system.h"

enum {
    REFRESH_SECONDS = 60,     // how often the last moment is renewed while a task runs
    GAP_AWAY_SECONDS = 5 * 60 // a refresh later than this after the last one: time away
};

// At start-up, before anything is logged. A file a run left that did not end properly: its
// held lines go to the log as at a switch, then the question in a box owned by `owner`
// whether to log its running task up to its last moment (Yes appends that line). A file
// with lines Vornet cannot read is kept aside instead and the user told. Then the file is
// written for this run, and kept from here on.
void TakeOverRunningFile(OwnerWindow owner);
// Writes the file whole for the state now (after a switch, or when held lines change); the
// first failure of a run is told in a box owned by `owner`.
void KeepRunningFile(OwnerWindow owner);
// Exit or the end of a session begins: the file is no longer rewritten at every change.
void StopKeepingRunningFile();
// ... and has written its lines: no more file once every line is on disk; lines no file
// took stay in it, behind an empty first line, for the next start.
void EndRunningFile(OwnerWindow owner);

// 1 while the last moment should be renewed: past the first switch, a task other than the
// break task running, the user not away.
int RunningFileWantsRefresh();
// The renewal at `now`. A previous one more than GAP_AWAY_SECONDS old (the machine slept or
// hung without a notice) counts as time away from it to now: returns 1, the question due.
int RefreshRunningFile(OwnerWindow owner, LocalTime now);
// Forgets the file this run keeps (for tests that start a new run).
void ForgetRunningFile();
