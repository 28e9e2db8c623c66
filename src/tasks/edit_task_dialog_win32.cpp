// The Edit task dialog: rename, add or empty the selected row.
#include "tasks/edit_task_dialog_win32.h"

#include "base/modal_dialog_win32.h"
#include "base/text_builder.h"
#include "res/resource.h"
#include "tasks/task_table.h"

enum { EDITED_NAME_SIZE = 1024 }; // what the dialog keeps: at most 1023 bytes

static void TakeEditedName(HWND dialog)
{
    // Read past the limit, then cut between two characters: the field itself would cut
    // anywhere, also inside a double-byte character.
    char typed[2 * EDITED_NAME_SIZE];
    GetDlgItemTextA(dialog, IDC_TASK_NAME, typed, sizeof typed);
    char name[EDITED_NAME_SIZE];
    CopyString(name, sizeof name, typed);
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
    if (LOWORD(wParam) == IDOK && IsSlotIndex(selectedRow))
        TakeEditedName(dialog);
    if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndModalDialog(dialog);
        return TRUE;
    }
    return FALSE;
}

void RunEditTaskDialog(HWND owner)
{
    RunModalDialog(owner, IDD_EDIT_TASK, EditTaskDialogProc);
}
