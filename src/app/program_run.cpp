#include "app/program_run.h"

#include "app/pointer_gesture.h"
#include "base/shell_state.h"
#include "settings/settings_file.h"
#include "tasks/away_time.h"
#include "tasks/running_period.h"
#include "tasks/task_table.h"

void ResetProgramState()
{
    dialogOpen = 0;
    listOpen = 0;
    sessionEnding = 0;
    PointerCaptureLost(); // no press pending
    selectedRow = 0;
    SetDefaultSettings(); // the table emptied, current_task 0, lastRow 1
    ResetSettingsFileState();
    ForgetRunningPeriod();
    ForgetTimeAway();
    ForgetUntoldNotices();
}

void WriteRunEnd(OwnerWindow owner)
{
    current_task = 0; // the file always names the break task as running after a run
    StopKeepingRunningFile();
    SaveSettings(owner);
    // Also when the save failed and left slot 0 empty: the running task's time is logged.
    EndRunningPeriod(owner);
}

void EndRunForSession(OwnerWindow owner)
{
    sessionEnding = 1;
    WriteRunEnd(owner);
    KeepUntoldNotices();
}
