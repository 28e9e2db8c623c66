// The Edit task dialog: rename, add or empty the selected row.
#include <windows.h>

#include "app/app_win32.h"
#include "app/shell_state.h"
#include "display/display_win32.h"
#include "res/resource.h"
#include "settings/settings_file.h"
#include "tasks/task_table.h"

static void EndEditTask(HWND dialog)
{
    // Saved on Cancel too, so that the read-back after the dialog finds what memory holds.
    SaveSettings(dialog);
    dialogOpen = 0;
    EndDialog(dialog, 0);
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
    if (LOWORD(wParam) == IDOK) {
        char name[1024];
        GetDlgItemTextA(dialog, IDC_TASK_NAME, name, sizeof name);
        SetTaskName(selectedRow, name);
        EndEditTask(dialog);
        return TRUE;
    }
    if (LOWORD(wParam) == IDCANCEL) {
        EndEditTask(dialog);
        return TRUE;
    }
    return FALSE;
}

void RunEditTaskCommand(HWND window)
{
    if (dialogOpen != 0 || listOpen != 1)
        return;
    dialogOpen = 1;
    DialogBoxParamA(appInstance, MAKEINTRESOURCEA(IDD_EDIT_TASK), window, EditTaskDialogProc, 0);
    LoadSettings(window);
    FitWindowToTasks();
    CollapseList(window);
}
