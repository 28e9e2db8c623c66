#include "tasks/task_table.h"

#include <string.h>

#include "base/shell_state.h"
#include "base/text_builder.h"

char TaskTable[TASK_SLOTS][TASK_NAME_SIZE];
int lastRow = 1;
int selectedRow = 0;
int current_task = 0;

void ClearTaskTable()
{
    memset(TaskTable, 0, sizeof TaskTable);
}

int IsSlotIndex(int index)
{
    return index >= 0 && index < TASK_SLOTS;
}

int SelectedRowIsNamed()
{
    return IsSlotIndex(selectedRow) && TaskTable[selectedRow][0] != '\0';
}

void SetTaskName(int slot, const char* name)
{
    CopyString(TaskTable[slot], TASK_NAME_SIZE, name);
}

static void ExchangeSlots(int j)
{
    char held[TASK_NAME_SIZE];
    memcpy(held, TaskTable[j], TASK_NAME_SIZE);
    memcpy(TaskTable[j], TaskTable[j + 1], TASK_NAME_SIZE);
    memcpy(TaskTable[j + 1], held, TASK_NAME_SIZE);
    if (current_task == j)
        current_task = j + 1;
    else if (current_task == j + 1)
        current_task = j;
}

void SortTasks()
{
    // Fixed passes with no early exit: every call costs the same 1176 comparisons.
    for (int n = LAST_SLOT; n >= 2; --n) {
        for (int j = 1; j <= n - 1; ++j) {
            const char* upper = TaskTable[j];
            const char* lower = TaskTable[j + 1];
            if ((lower[0] != '\0' && CompareTaskNames(upper, lower) > 0) || upper[0] == '\0')
                ExchangeSlots(j);
        }
    }
}

DeleteRowOutcome DeleteTaskRow(int row)
{
    if (row <= 0 || !IsSlotIndex(row))
        return DELETE_NOT_ALLOWED;
    if (row == current_task)
        return DELETE_RUNNING_TASK;
    for (int k = row; k <= lastRow - 1; ++k) {
        memcpy(TaskTable[k], TaskTable[k + 1], TASK_NAME_SIZE);
        if (current_task == k + 1)
            current_task = k;
    }
    if (row <= lastRow)
        TaskTable[lastRow][0] = '\0';
    return DELETE_DONE;
}

DeleteRowOutcome DeleteSelectedTask(OwnerWindow owner)
{
    DeleteRowOutcome outcome = DeleteTaskRow(selectedRow);
    if (outcome == DELETE_RUNNING_TASK)
        TellUser(owner, "Running task can't be deleted.", "Warning", MESSAGE_WARNING);
    return outcome;
}
