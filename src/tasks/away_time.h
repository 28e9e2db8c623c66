// Time away from the computer: from a suspend, a lock of the session, the system's notice
// that the user stopped giving input, or a renewal of the running file that came late, to
// the return, which the user may have logged as the break task instead of the task that was
// running. The absence a box shows is the one its Yes logs: a leave or a return while it is
// up is kept for after it.
#pragma once
#include "base/local_time.h"
#include "base/system.h"
#include "tasks/running_period.h"

enum {
    AWAY_ASK_SECONDS = 60,     // a shorter absence is not worth a question
    GAP_AWAY_SECONDS = 5 * 60  // a renewal later than this after the last one: time away
};

// Nothing noticed yet, as at start-up.
void ForgetTimeAway();
// The user left at `now` (suspend or lock); while away, a second notice changes nothing.
void NoteUserLeft(LocalTime now);
// The user is back at `now` (resume or unlock); the first notice of a return counts.
void NoteUserBack(LocalTime now);
// 1 from the first notice of leaving until the question about it.
int UserIsAway();

// The system's notice of the user's presence, with the values of USER_ACTIVITY_PRESENCE.
enum Presence { PRESENCE_PRESENT = 0, PRESENCE_INACTIVE = 2 };
// The first notice after the program asked for them only tells the state as it is, and
// changes nothing. Inactive: the user left at their last input, `idleMilliseconds` before
// `now`, but never before the running task started. Present: a return. Returns 1 when a
// return was noted, so that the question is due.
int NotePresence(int state, LocalTime now, unsigned long idleMilliseconds);

// 1 while a return waits for its question.
int AwayQuestionWaits();
// After a return: when the absence lasted AWAY_ASK_SECONDS or more, past the first switch,
// with a task other than the break task running, asks in a box owned by `owner`; Yes logs the
// running task up to the moment the user left and the break task from then until the return,
// and the running task goes on from the return. While a dialog or box is open it waits.
void AskAboutTimeAway(OwnerWindow owner);
// A switch at `when` ends an absence at `when` at the latest, and asks about it first: the
// changes that Yes logs before the switch (the break task from the leave, the running task
// again from a return before `when`) go to `changes`. Returns their count, 0 on No.
int TakeAbsenceBefore(OwnerWindow owner, LocalTime when, TaskChange changes[2]);

// 1 while the running file's last moment should be renewed: past the first switch, a task
// other than the break task running, the user not away.
int RefreshWanted();
// The renewal at `now`. A previous one more than GAP_AWAY_SECONDS old (the machine slept or
// hung without a notice) counts as time away from it to now: returns 1, the question due.
int RefreshRunningTask(OwnerWindow owner, LocalTime now);
