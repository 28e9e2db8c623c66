// Time away from the computer: from a suspend or a lock of the session to the return, which
// the user may have logged as the break task instead of the task that was running.
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
// After a return: when the absence lasted AWAY_ASK_SECONDS or more, past the first switch,
// with a task other than the break task running and no dialog open, asks in a box owned
// by `owner`; Yes logs the running task up to the moment the user left and the break task
// from then until the return, and the running task goes on from the return.
void AskAboutTimeAway(OwnerWindow owner);
