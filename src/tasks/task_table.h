// The 50 task slots, the running task's slot, the last row of the list and the row under
// the pointer.
#pragma once
#include "base/system.h"

enum {
    TASK_SLOTS = 50,
    TASK_NAME_SIZE = 2048, // a name holds at most 2047 bytes and its terminator
    LAST_SLOT = 49
};

extern char TaskTable[TASK_SLOTS][TASK_NAME_SIZE];
extern int lastRow;      // the open list shows rows 0..lastRow
extern int selectedRow;  // the row under the pointer; every row command acts on it
// The slot the strip shows as running; any value read from the file is kept, and a value
// outside 0..49 names no slot. Written by a switch (time_log), Delete and Sort (here), the
// load (settings_file) and the exit (app/program_run).
extern int current_task;

// Orders two names as the platform's locale-aware 8-bit comparison does (lstrcmpA on
// Windows): negative, zero or positive.
int CompareTaskNames(const char* a, const char* b);

void ClearTaskTable();
int IsSlotIndex(int index);
// 1 when selectedRow names a slot that holds a name: the rows a switch may start.
int SelectedRowIsNamed();

// Sorts slots 1..49: names in order, empty slots after them, equal names in their former
// order; current_task follows its task. Slot 0 and selectedRow are not touched.
void SortTasks();

// Removes the name in `row` by moving the rows below it, up to lastRow, one up and emptying
// slot lastRow; current_task follows a task that moves. Row 0 and rows past the table are
// never removed (DELETE_NOT_ALLOWED), nor the running task (DELETE_RUNNING_TASK); a row past
// lastRow gives DELETE_DONE and changes nothing.
enum DeleteRowOutcome { DELETE_NOT_ALLOWED, DELETE_RUNNING_TASK, DELETE_DONE };
DeleteRowOutcome DeleteTaskRow(int row);
// Delete task on selectedRow; the running task is refused with a warning owned by `owner`.
DeleteRowOutcome DeleteSelectedTask(OwnerWindow owner);

// Bounded copy into a slot: at most 2047 bytes of `name`.
void SetTaskName(int slot, const char* name);
