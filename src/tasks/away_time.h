// Time away from the computer: from a suspend, a lock of the session or the system's notice
// that the user stopped giving input, to the return, which the user may have logged as the
// break task instead of the task that was running.
#pragma once
#include "base/system.h"
#include "base/local_time.h"

enum { AWAY_ASK_SECONDS = 60 }; // a shorter absence is not worth a question

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
// After a return: when the absence lasted AWAY_ASK_SECONDS or more, past the first switch,
// with a task other than the break task running and no dialog open, asks in a box owned
// by `owner`; Yes logs the running task up to the moment the user left and the break task
// from then until the return, and the running task goes on from the return.
void AskAboutTimeAway(OwnerWindow owner);
