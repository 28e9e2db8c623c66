#include "app/program_run.h"

#include "app/pointer_gesture.h"
#include "base/shell_state.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/running_file.h"
#include "tasks/task_table.h"
#include "tasks/time_log.h"

void ResetProgramState()
{
    dialogOpen = 0;
    listOpen = 0;
    sessionEnding = 0;
    PointerCaptureLost(); // no press pending
    selectedRow = 0;
    useBackdatedTime = 0;
    firstSwitchPending = 1;
    SetDefaultSettings(); // the table emptied, current_task 0, lastRow 1
    ResetSettingsFileState();
    DiscardHeldLog();
    ForgetTimeAway();
    ForgetRunningFile();
}

void WriteRunEnd(OwnerWindow owner)
{
    current_task = 0; // the file always names the break task as running after a run
    StopKeepingRunningFile();
    SaveSettings(owner);
    // Also when the save failed and left slot 0 empty: the running task's time is logged.
    AppendTimeLog(owner, TaskTable[0]);
    SaveHeldLogAside(owner);
    EndRunningFile(owner);
}
