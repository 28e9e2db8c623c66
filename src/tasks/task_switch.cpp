#include "tasks/task_switch.h"

#include "base/shell_state.h"
#include "tasks/away_time.h"
#include "tasks/running_period.h"
#include "tasks/task_table.h"

void SwitchToSelectedTask(OwnerWindow owner)
{
    if (dialogOpen == 0 && SelectedRowIsNamed()) {
        int row = selectedRow; // the pointer may move over the list while a box is up
        if (firstSwitchPending) {
            AppendTimeLog(owner, TaskTable[row]);
        } else {
            LocalTime when = SwitchMoment();
            TaskChange changes[MOST_TASK_CHANGES];
            int count = TakeAbsenceBefore(owner, when, changes);
            changes[count] = TaskChange{when, TaskTable[row]};
            ChangeRunningTask(owner, changes, count + 1);
        }
        current_task = row;
    }
    useBackdatedTime = 0;
}
