#include "display/spoken_names.h"

#include "tasks/running_period.h"
#include "tasks/task_table.h"

const char* StripSpokenName()
{
    return firstSwitchPending ? "Vornet" : runningTaskName;
}

const char* RowSpokenName(int row)
{
    return TaskTable[row][0] != '\0' ? TaskTable[row] : "empty";
}
