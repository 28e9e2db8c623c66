// The 50 task slots, the running task's slot, the last row of the list and the row under
// the pointer.
#pragma once

enum {
    TASK_SLOTS = 50,
    TASK_NAME_SIZE = 2048, // a name holds at most 2047 bytes and its terminator
    LAST_SLOT = 49
};

extern char TaskTable[TASK_SLOTS][TASK_NAME_SIZE];
extern int lastRow;      // the open list shows rows 0..lastRow
extern int selectedRow;  // the row under the pointer; every row command acts on it
extern int current_task; // slot of the running task; may hold any value read from the file

// Orders two names as the platform's locale-aware 8-bit comparison does (lstrcmpA on
// Windows): negative, zero or positive.
int CompareTaskNames(const char* a, const char* b);

void ClearTaskTable();
int IsSlotIndex(int index);

// Sorts slots 1..49: names in order, empty slots after them, equal names in their former
// order; current_task follows its task. Slot 0 and selectedRow are not touched.
void SortTasks();

// Removes the name in `row` by moving the rows below it, up to lastRow, one up and emptying
// slot lastRow; current_task follows a task that moves. Returns 0 when nothing could be
// removed (row 0, the running task, or a row past lastRow): see DeleteRowOutcome.
enum DeleteRowOutcome { DELETE_NOT_ALLOWED, DELETE_RUNNING_TASK, DELETE_DONE };
DeleteRowOutcome DeleteTaskRow(int row);

// Bounded copy into a slot: at most 2047 bytes of `name`.
void SetTaskName(int slot, const char* name);
