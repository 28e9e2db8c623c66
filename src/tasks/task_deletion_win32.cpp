// Delete task: removes the selected row and closes the gap; the running task is kept.
#include <windows.h>

#include "tasks/task_deletion_win32.h"

#include "base/shell_state.h"
#include "display/window_placement_win32.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

void DeleteSelectedTask(HWND window)
{
    if (dialogOpen == 0 && listOpen != 0) {
        DeleteRowOutcome outcome = DeleteTaskRow(selectedRow);
        if (outcome == DELETE_RUNNING_TASK) {
            MessageBoxA(window, "Running task can't be deleted.", "Warning", MB_OK | MB_ICONWARNING);
            return;
        }
        if (outcome == DELETE_DONE) {
            RecountAfterSave(window, SaveSettings(window));
            FitWindowToTasks();
        }
    }
    CollapseList(window);
}
