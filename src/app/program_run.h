// A run of the program: the state it starts from and what its end writes.
#pragma once
#include "base/system.h"

// Every process-wide state as a fresh start has it, before setting.ini is read: the shell's
// flags, the pointer gesture, the settings' defaults with an empty table, the running
// task's flags, time away, held lines and what is known of setting.ini on disk. The screen
// must have been measured (the default place is its middle).
void ResetProgramState();

// What Exit and the end of a session write, the window's place already taken: setting.ini
// naming the break task as running, the running task's line, the lines timelog.csv refused
// set aside, and then no running file. A second end (the session's, inside a box of Exit's)
// logs nothing more.
void WriteRunEnd(OwnerWindow owner);
// The end of the session: the same with no box shown; what the boxes would have said is
// kept for the next start.
void EndRunForSession(OwnerWindow owner);
