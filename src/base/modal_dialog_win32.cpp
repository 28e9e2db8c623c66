// Every modal dialog opens and ends here, so that dialogOpen is 1 exactly while one runs.
#include <windows.h>

#include "base/modal_dialog_win32.h"

#include "base/shell_state.h"

HINSTANCE appInstance = NULL;

INT_PTR RunModalDialog(HWND owner, int templateId, DLGPROC procedure)
{
    dialogOpen = 1;
    INT_PTR result =
        DialogBoxParamA(appInstance, MAKEINTRESOURCEA(templateId), owner, procedure, 0);
    // A dialog that never ran never cleared the flag: every guarded action would stay frozen.
    if (result == -1)
        dialogOpen = 0;
    return result;
}

void EndModalDialog(HWND dialog)
{
    dialogOpen = 0;
    EndDialog(dialog, 0);
}

void CancelModalDialog(HWND owner)
{
    // Our dialogs and message boxes are the owner's enabled pop-ups.
    HWND open = GetWindow(owner, GW_ENABLEDPOPUP);
    if (open != NULL && open != owner)
        EndDialog(open, IDCANCEL);
    dialogOpen = 0;
}
