// The Edit task dialog: rename, add or empty the selected row.
#include <windows.h>

#include <string.h>

#include "tasks/edit_task_dialog_win32.h"

#include "base/modal_dialog_win32.h"
#include "base/shell_state.h"
#include "base/text_builder.h"
#include "display/window_placement_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

enum { EDITED_NAME_SIZE = 1024 }; // what the dialog keeps: at most 1023 bytes

static int editSaveResult = -1;

static void EndEditTask(HWND dialog)
{
    // Saved on Cancel too, so that the read-back after the dialog finds what memory holds.
    editSaveResult = SaveSettings(dialog);
    EndModalDialog(dialog);
}

static void TakeEditedName(HWND dialog)
{
    // Read whole, then cut between two characters: the field itself would cut anywhere.
    GetDlgItemTextA(dialog, IDC_TASK_NAME, fileBuffer, FILE_BUFFER_SIZE);
    char name[EDITED_NAME_SIZE];
    CopyText(name, sizeof name, fileBuffer, strlen(fileBuffer));
    SetTaskName(selectedRow, name);
}

static INT_PTR CALLBACK EditTaskDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        if (IsSlotIndex(selectedRow))
            SetDlgItemTextA(dialog, IDC_TASK_NAME, TaskTable[selectedRow]);
        SetFocus(GetDlgItem(dialog, IDC_TASK_NAME));
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    if (LOWORD(wParam) == IDOK)
        TakeEditedName(dialog);
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndEditTask(dialog);
        return TRUE;
    }
    return FALSE;
}

void RunEditTaskCommand(HWND window)
{
    if (dialogOpen != 0 || listOpen != 1)
        return;
    editSaveResult = -1;
    RunModalDialog(window, IDD_EDIT_TASK, EditTaskDialogProc);
    RecountAfterSave(window, editSaveResult);
    FitWindowToTasks();
    CollapseList(window);
}
